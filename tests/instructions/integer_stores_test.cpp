// Every way a value reaches an Integer variable follows one rule: truncated toward zero, the float
// 2^31 (what 2147483647 becomes) stored as 2147483647, and NaN or anything beyond the range refused
// with the overflow error rather than stored as -2147483648.
#include "support/run_fixture.h"

using namespace qel;
using namespace qel::test;

namespace {

const std::string kOverflow = runErrorText("Integer variable overflow/underflow.");

int32_t integer(const Session& s, std::string_view name)
{
    const VariableRecord* v = s.variables.findVariable(name);
    return v ? v->integerAt(0) : 12345;
}

} // namespace

using IntegerStores = RunFixture;

TEST_F(IntegerStores, TheLargestIntegerArrivesIntactByEveryRoute)
{
    handlers();
    for (const char* name : {"N", "Quick", "C", "P", "R", "Converted", "Bits", "Low"})
        build.add("DeclareVariable", variableFields("Integer", name, "0"));
    build.add("DeclareVariable", variableFields("Integer", "Declared", "2147483647"))
        .add("DeclareVariable", variableFields("Integer", "Rounded", "2147483700")) // its float is 2^31
        .add("DeclareVariable", variableFields("Floating Point", "F", "2147483647"))
        .add("DeclareVariable", variableFields("String", "T", "\"2147483647\""))
        .add("Let", letFields("N", "2147483600", "+", "100"))
        .add("For", forFields("C", "1", "2"))
        .add("Let", letFields("Quick", "F")) // its second run takes Let's quick path
        .add("Next")
        .add("For", forFields("C", "F", "F"))
        .add("BreakOutOfLoop")
        .add("Next")
        .add("Call", callFields("Keep", "R", "2147483647"))
        .add("StringToNumeric", {"T", "Converted"})
        .add("Let", letFields("Bits", "2147483647", " Bit_And ", "F"))
        .add("Let", letFields("Low", "-2147483648"))
        .add("DeclareFunction", functionFields("Keep", "P", "Integer"))
        .add("Return", {"P"})
        .add("EndFunction");
    start();
    ASSERT_TRUE(errors().empty()) << errors()[0];
    for (const char* name : {"N", "Quick", "C", "P", "R", "Converted", "Bits", "Declared", "Rounded"})
        EXPECT_EQ(integer(*this, name), 2147483647) << name;
    EXPECT_EQ(integer(*this, "Low"), -2147483647 - 1);
}

TEST_F(IntegerStores, ValuesWithNoIntegerFailWithTheOverflowError)
{
    struct Case {
        std::vector<std::string> line; // the fields of the line that fails
        const char* keyword;
    };
    const std::vector<Case> cases = {
        {letFunctionFields("N", "Int", "Huge"), "Let"},   {letFunctionFields("N", "Sqrt", "-1"), "Let"},
        {letFunctionFields("N", "Round", "NaN"), "Let"},  {letFunctionFields("N", "Int", "Huge", "-", "1"), "Let"},
        {letFields("F", "Huge", " Bit_Or ", "0"), "Let"}, // a bit operator needs Integers even for a Float
        {forFields("N", "Huge", "Huge"), "For"},          {callFields("TakesInteger", "", "Huge"), "Call"},
        {callFields("GivesHuge", "N"), "Call"},
    };
    for (size_t i = 0; i < cases.size(); ++i) {
        Session run;
        run.handlers();
        run.build.add("DeclareVariable", variableFields("Integer", "N", "7"))
            .add("DeclareVariable", variableFields("Floating Point", "F", "0"))
            .add("DeclareVariable", variableFields("Floating Point", "Huge", "1e30"))
            .add("DeclareVariable", variableFields("Floating Point", "NaN", "0"))
            .add("Let", letFields("NaN", "0", "/", "0"))
            .add(cases[i].keyword, cases[i].line)
            .add("Stop")
            .add("DeclareFunction", functionFields("TakesInteger", "N"))
            .add("EndFunction")
            .add("DeclareFunction", functionFields("GivesHuge", "", "Integer"))
            .add("Return", {"Huge"})
            .add("EndFunction");
        run.start();
        EXPECT_EQ(run.errors(), std::vector<std::string>{kOverflow}) << "case " << i;
        EXPECT_EQ(integer(run, "N"), 7) << "case " << i;
    }
}
