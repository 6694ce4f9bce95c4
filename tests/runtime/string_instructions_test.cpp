#include "runtime/string_editors.h"
#include "runtime/string_instructions.h"
#include "support/program_builder.h"
#include "support/test_run_host.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ctime>

using namespace qel;

namespace {

struct StringInstructionsTest : ::testing::Test {
    Program program;
    VariableTable variables;
    test::TestRunHost host;
    DispatchTable dispatch;
    Interpreter in{program, variables, host, dispatch};
    test::ProgramBuilder build{program, variables};

    StringInstructionsTest()
    {
        registerStringHandlers(dispatch);
        in.eval.displayPrecision = kRunStartPrecision;
        declare("S", kTypeString);
        declare("D", kTypeString);
        declare("T", kTypeString);
        declare("N", kTypeInteger);
        declare("F", kTypeFloat);
        declare("B", kTypeBitmap);
    }

    void declare(std::string_view name, uint32_t type)
    {
        VariableDeclaration declaration;
        declaration.name = name;
        declaration.type = type;
        variables.createVariable(declaration, host);
    }
    VariableRecord& var(std::string_view name) { return *variables.findVariable(name); }
    std::string text(std::string_view name) { return std::string(var(name).textAt(0)); }
    void setText(std::string_view name, std::string value) { var(name).texts[0] = {std::move(value), true}; }

    // Stores the line through its editor and makes it section 0's current line.
    void place(std::string_view keyword, std::vector<std::string> fields)
    {
        build.add(keyword, std::move(fields));
        EXPECT_FALSE(in.prepareLines());
        in.cursor(0) = {0, static_cast<uint32_t>(program.sections[0].lines.size() - 1)};
        in.eval.runErrorText.clear();
    }
    // Runs the line's handler as the loop would.
    Outcome run(std::string_view keyword, std::vector<std::string> fields)
    {
        place(keyword, std::move(fields));
        return dispatch.at(build.last().type)(in, 0);
    }
    std::string part(std::string start, std::string end)
    {
        EXPECT_EQ(run("StringPart", {"S", start, end, "D"}), Outcome::Next) << in.eval.runErrorText;
        return text("D");
    }
};

} // namespace

TEST_F(StringInstructionsTest, StringPartTakesTheBytesBetweenPositions)
{
    setText("S", "HELLO");
    EXPECT_EQ(part("2", "4"), "ELL");
    EXPECT_EQ(part("0", "2"), "HE");
    EXPECT_EQ(part("4", "99"), "LO");
    EXPECT_EQ(part("3", "3"), "L");
    EXPECT_EQ(part("6", "9"), "");
    var("N").setNumberAt(0, 2);
    var("F").setNumberAt(0, 3.9f); // positions are truncated: 2 to 3
    EXPECT_EQ(part("N", "F"), "EL");

    EXPECT_EQ(run("StringPart", {"S", "3", "2", "D"}), Outcome::Fail);
    EXPECT_EQ(in.eval.runErrorText, "RUN TIME ERROR\n\nEnd must be greater than Start- ");

    EXPECT_EQ(run("StringPart", {"S", "2", "3", "S"}), Outcome::Next);
    EXPECT_EQ(text("S"), "EL");
}

TEST_F(StringInstructionsTest, OperandsAreCheckedInBlockOrderBeforeAnythingIsRead)
{
    setText("D", "kept");
    // The source is checked before the destination, then start and end.
    EXPECT_EQ(run("StringPart", {"Nope", "1", "2", "N"}), Outcome::Fail);
    EXPECT_EQ(in.eval.runErrorText, "RUN TIME ERROR\n\nReference to undeclared variable - Nope");
    EXPECT_EQ(run("StringPart", {"S", "1", "2", "N"}), Outcome::Fail);
    EXPECT_EQ(in.eval.runErrorText, "RUN TIME ERROR\n\nExpecting string variable but found variable - N");
    EXPECT_EQ(run("StringPart", {"S", "T", "2", "D"}), Outcome::Fail);
    EXPECT_EQ(in.eval.runErrorText, "RUN TIME ERROR\n\nExpecting numeric variable but found variable - T");
    EXPECT_EQ(run("StringLength", {"S", "B"}), Outcome::Fail);
    EXPECT_EQ(in.eval.runErrorText, "RUN TIME ERROR\n\nExpecting numeric variable but found variable - B");
    EXPECT_EQ(text("D"), "kept");

    // GetTimeAndDate checks both variables before it writes either.
    setText("T", "before");
    EXPECT_EQ(run("GetTimeAndDate", {"T", "N"}), Outcome::Fail);
    EXPECT_EQ(in.eval.runErrorText, "RUN TIME ERROR\n\nExpecting string variable but found non string variable - N");
    EXPECT_EQ(text("T"), "before");
}

TEST_F(StringInstructionsTest, StringLengthCountsBytes)
{
    setText("S", "");
    EXPECT_EQ(run("StringLength", {"S", "N"}), Outcome::Next);
    EXPECT_EQ(var("N").integerAt(0), 0);
    setText("S", "HELLO");
    EXPECT_EQ(run("StringLength", {"S", "F"}), Outcome::Next);
    EXPECT_EQ(var("F").floatAt(0), 5.0f);
}

TEST_F(StringInstructionsTest, StringToNumericReadsTheLeadingNumber)
{
    auto convert = [&](std::string text, std::string target) {
        setText("S", std::move(text));
        return run("StringToNumeric", {"S", target});
    };
    EXPECT_EQ(convert("12abc", "N"), Outcome::Next);
    EXPECT_EQ(var("N").integerAt(0), 12);
    EXPECT_EQ(convert("no digits", "F"), Outcome::Next);
    EXPECT_EQ(var("F").floatAt(0), 0.0f);
    EXPECT_EQ(convert("  -2.5e1x", "F"), Outcome::Next);
    EXPECT_EQ(var("F").floatAt(0), -25.0f);
    EXPECT_EQ(convert("inf", "F"), Outcome::Next);
    EXPECT_EQ(var("F").floatAt(0), 0.0f);
    EXPECT_EQ(convert("1e999", "F"), Outcome::Next);
    EXPECT_TRUE(std::isinf(var("F").floatAt(0)));

    EXPECT_EQ(convert("3e10", "N"), Outcome::Fail);
    EXPECT_EQ(in.eval.runErrorText, "Value out of range - 30000001024 - N");
    EXPECT_EQ(convert("2147483648", "N"), Outcome::Fail);
    EXPECT_EQ(convert("-2147483648", "N"), Outcome::Next);
    EXPECT_EQ(var("N").integerAt(0), -2147483647 - 1);
    // The largest integer has no float of its own; it must not wrap to a negative number.
    EXPECT_EQ(convert("2147483647", "N"), Outcome::Next);
    EXPECT_GT(var("N").integerAt(0), 2147483000);
}

TEST_F(StringInstructionsTest, StringFromNumericWritesDigitsOrTheDisplayForm)
{
    var("F").setNumberAt(0, 2.5f);
    EXPECT_EQ(run("StringFromNumeric", {"F", "S"}), Outcome::Next);
    EXPECT_EQ(text("S"), "2.5");
    var("N").setNumberAt(0, -7);
    EXPECT_EQ(run("StringFromNumeric", {"N", "S"}), Outcome::Next);
    EXPECT_EQ(text("S"), "-7");
    var("N").words[0] = 16777217; // beyond a float's exact integers
    EXPECT_EQ(run("StringFromNumeric", {"N", "S"}), Outcome::Next);
    EXPECT_EQ(text("S"), "16777217");
    EXPECT_EQ(run("StringFromNumeric", {"T", "S"}), Outcome::Fail);
    EXPECT_EQ(in.eval.runErrorText, "RUN TIME ERROR\n\nExpecting numeric variable but found variable - T");
}

TEST_F(StringInstructionsTest, GetTimeAndDateFormatsOneLocalInstant)
{
    std::tm when{};
    when.tm_year = 2011 - 1900;
    when.tm_mon = 2; // March
    when.tm_mday = 7;
    when.tm_hour = 9;
    when.tm_min = 5;
    when.tm_sec = 3;
    when.tm_isdst = -1;
    const std::time_t instant = std::mktime(&when);

    place("GetTimeAndDate", {"T", "D"});
    EXPECT_EQ(getTimeAndDateAt(in, 0, instant), Outcome::Next);
    EXPECT_EQ(text("T"), "09:05:03");
    EXPECT_EQ(text("D"), "07/03/2011");

    EXPECT_EQ(run("GetTimeAndDate", {"T", "D"}), Outcome::Next); // the clock's own reading
    EXPECT_EQ(text("T").size(), 8u);
    EXPECT_EQ(text("D").size(), 10u);
}

TEST_F(StringInstructionsTest, EditorsBuildTextsInDialogOrderAndRefuseNonVariables)
{
    EditContext context{program, variables, nullptr};
    const InstructionEditor& part = *editorFor(kStringPart);
    EditOutcome built = part.accept({"Names(I)", "2.5", "Last", "D"}, context);
    ASSERT_TRUE(built.ok());
    EXPECT_EQ(built.line.text, "StringPart Names(I), 2.5, Last, D");
    EXPECT_EQ(built.line.block.textField(string_block::kDestination), "D");
    EXPECT_EQ(built.line.block.f32(string_block::kStart + 8), 2.5f);

    EditOutcome fromNumeric = editorFor(kStringFromNumeric)->accept({"N", "S"}, context);
    ASSERT_TRUE(fromNumeric.ok());
    EXPECT_EQ(fromNumeric.line.text, "StringFromNumeric N, S");
    EXPECT_EQ(fromNumeric.line.block.textField(string_block::kFirst), "S");

    EditOutcome literal = editorFor(kStringLength)->accept({"\"x\"", "N"}, context);
    ASSERT_FALSE(literal.ok());
    EXPECT_EQ(literal.error->field, 0);
    EXPECT_EQ(literal.error->message, "Variable required.");
    for (std::string start : {"\"1\"", ""}) {
        EditOutcome refused = part.accept({"S", start, "3", "D"}, context);
        ASSERT_FALSE(refused.ok());
        EXPECT_EQ(refused.error->field, 1);
        EXPECT_EQ(refused.error->message, "Variable or constant required.");
    }
    EXPECT_FALSE(part.accept({"S", "1", "3", "4"}, context).ok());
}

TEST_F(StringInstructionsTest, EditorsRebuildTheSameLineFromDecodedFields)
{
    EditContext context{program, variables, nullptr};
    const std::vector<std::pair<uint32_t, std::vector<std::string>>> lines = {
        {kStringPart, {"A(I, 2)", "1234567", "-0.1", "D"}},
        {kStringLength, {"Names(3)", "N"}},
        {kStringToNumeric, {"S", "F"}},
        {kStringFromNumeric, {"F", "S"}},
        {kGetTimeAndDate, {"T", "D"}},
    };
    for (const auto& [type, fields] : lines) {
        const InstructionEditor& editor = *editorFor(type);
        EditOutcome first = editor.accept(fields, context);
        ASSERT_TRUE(first.ok()) << type;
        ProgramLine stored{first.line.type, first.line.text, first.line.block};
        EditOutcome again = editor.accept(editor.decode(stored), context);
        ASSERT_TRUE(again.ok()) << type;
        EXPECT_EQ(again.line.text, first.line.text);
        EXPECT_EQ(again.line.block, first.line.block) << first.line.text;
    }
}
