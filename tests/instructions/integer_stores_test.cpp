// Every way a value reaches an Integer variable follows one rule: truncated toward zero, the float
// 2^31 (what 2147483647 becomes) stored as 2147483647, and NaN or anything beyond the range refused
// with the overflow error rather than stored as -2147483648.
#include "instruction_checks.h"

using namespace qel;
using namespace qel::test;

namespace {

int32_t integer(const Session& s, std::string_view name)
{
    const VariableRecord* v = s.variables.findVariable(name);
    return v ? v->integerAt(0) : 12345;
}

} // namespace

using IntegerStores = RunFixture;

TEST_F(IntegerStores, TheLargestIntegerArrivesIntactByEveryRouteAndValuesWithNoIntegerFail)
{
    handlers();
    add(build,
        {declare("Integer", {"N", "Quick", "C", "P"}), declare("Integer", {"R", "Converted", "Bits", "Low"}),
         declare("Integer", {"Declared=2147483647", "Rounded=2147483700"}), // its float is 2^31
         declare("Floating Point", {"F=2147483647"}), declare("String", {"T=\"2147483647\""}),
         line("Let", letFields("N", "2147483600", "+", "100")), line("For", forFields("C", "1", "2")),
         line("Let", letFields("Quick", "F")), // its second run takes Let's quick path
         line("Next"), line("For", forFields("C", "F", "F")), line("BreakOutOfLoop"), line("Next"),
         line("Call", callFields("Keep", "R", "2147483647")), line("StringToNumeric", {"T", "Converted"}),
         line("Let", letFields("Bits", "2147483647", " Bit_And ", "F")), line("Let", letFields("Low", "-2147483648")),
         line("DeclareFunction", functionFields("Keep", "P", "Integer")), line("Return", {"P"}), line("EndFunction")});
    ASSERT_TRUE(startsCleanly(*this));
    for (const char* name : {"N", "Quick", "C", "P", "R", "Converted", "Bits", "Declared", "Rounded"})
        EXPECT_EQ(integer(*this, name), 2147483647) << name;
    EXPECT_EQ(integer(*this, "Low"), -2147483647 - 1);

    // Each line's value has no integer: the run stops with the overflow error and N keeps its value.
    const Lines cases = {
        line("Let", letFunctionFields("N", "Int", "Huge")),
        line("Let", letFunctionFields("N", "Sqrt", "-1")),
        line("Let", letFunctionFields("N", "Round", "NaN")),
        line("Let", letFunctionFields("N", "Int", "Huge", "-", "1")),
        line("Let", letFields("F", "Huge", " Bit_Or ", "0")), // a bit operator needs Integers even for a Float
        line("For", forFields("N", "Huge", "Huge")),
        line("Call", callFields("TakesInteger", "", "Huge")),
        line("Call", callFields("GivesHuge", "N")),
    };
    for (const Line& failing : cases) {
        SCOPED_TRACE(::testing::Message() << "case " << &failing - cases.data());
        const CaseRun run({declare("Integer", {"N=7"}), declare("Floating Point", {"F=0", "Huge=1e30", "NaN=0"}),
                           line("Let", letFields("NaN", "0", "/", "0")), failing, line("Stop"),
                           line("DeclareFunction", functionFields("TakesInteger", "N")), line("EndFunction"),
                           line("DeclareFunction", functionFields("GivesHuge", "", "Integer")),
                           line("Return", {"Huge"}), line("EndFunction")});
        EXPECT_EQ(run.errors(), Texts{runErrorText("Integer variable overflow/underflow.")});
        EXPECT_EQ(integer(run, "N"), 7);
    }
}
