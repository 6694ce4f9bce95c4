#include "instruction_checks.h"
#include "instructions/catalogue.h"
#include "instructions/strings/string_editors.h"
#include "instructions/strings/string_instructions.h"
#include "interpreter/line_context.h"

#include <ctime>
#include <iomanip>
#include <sstream>

using namespace qel;

namespace {

struct StringInstructionsTest : ::testing::Test {
    Program program;
    VariableTable variables;
    test::TestRunHost host;
    RunState run{program, variables, host, dispatchTable()};
    test::ProgramBuilder build{program, variables};

    StringInstructionsTest()
    {
        run.eval.displayPrecision = kRunStartPrecision;
        const std::pair<const char*, VariableType> declared[] = {{"S", kTypeString}, {"D", kTypeString},
                                                                 {"T", kTypeString}, {"N", kTypeInteger},
                                                                 {"F", kTypeFloat},  {"B", kTypeBitmap}};
        for (const auto& [name, type] : declared)
            variables.createVariable({name, type, kNotArray, 1, 1, 0, 0.0f, {}}, host);
    }

    VariableRecord& var(std::string_view name) { return *variables.findVariable(name); }
    std::string text(std::string_view name) { return std::string(var(name).textAt(0)); }
    void setText(std::string_view name, std::string value) { var(name).texts[0] = {std::move(value), true}; }

    // Stores the line through its editor and makes it section 0's current line.
    LineContext place(std::string_view keyword, std::vector<std::string> fields)
    {
        build.add(keyword, std::move(fields));
        EXPECT_FALSE(prepareLines(run));
        run.cursors[0] = {0, static_cast<uint32_t>(program.sections[0].lines.size() - 1)};
        return LineContext(run, 0);
    }
    // Runs the line's handler as the loop would: "" when it succeeds, else its failure's text.
    std::string execute(std::string_view keyword, std::vector<std::string> fields)
    {
        LineContext line = place(keyword, std::move(fields));
        LineResult result = dispatchTable().at(build.last().type)(line);
        return result.ok() ? std::string() : result.takeFailure().text();
    }
    // The error text of a line that must fail.
    std::string failure(std::string_view keyword, std::vector<std::string> fields)
    {
        std::string text = execute(keyword, std::move(fields));
        EXPECT_FALSE(text.empty());
        return text;
    }
    std::string part(std::string start, std::string end)
    {
        EXPECT_EQ(execute("StringPart", {"S", start, end, "D"}), "");
        return text("D");
    }
};

} // namespace

TEST_F(StringInstructionsTest, StringPartTakesTheBytesBetweenPositionsAndOperandsAreCheckedInBlockOrder)
{
    setText("S", "HELLO");
    ASSERT_TRUE(var("N").setNumberAt(0, 2));
    ASSERT_TRUE(var("F").setNumberAt(0, 3.9f)); // positions are truncated: 2 to 3
    EXPECT_EQ(
        (test::Texts{part("2", "4"), part("0", "2"), part("4", "99"), part("3", "3"), part("6", "9"), part("N", "F")}),
        (test::Texts{"ELL", "HE", "LO", "L", "", "EL"}));

    EXPECT_EQ(failure("StringPart", {"S", "3", "2", "D"}), test::runErrorText("End must be greater than Start- "));

    EXPECT_EQ(execute("StringPart", {"S", "2", "3", "S"}), "");
    EXPECT_EQ(text("S"), "EL");

    // Operands are checked in block order before anything is read.
    setText("D", "kept");
    setText("T", "before");
    // The source is checked before the destination, then start and end; GetTimeAndDate checks both
    // variables before it writes either.
    const std::tuple<std::string, std::vector<std::string>, std::string> cases[] = {
        {"StringPart", {"Nope", "1", "2", "N"}, "Reference to undeclared variable - Nope"},
        {"StringPart", {"S", "1", "2", "N"}, "Expecting string variable but found variable - N"},
        {"StringPart", {"S", "T", "2", "D"}, "Expecting numeric variable but found variable - T"},
        {"StringLength", {"S", "B"}, "Expecting numeric variable but found variable - B"},
        {"GetTimeAndDate", {"T", "N"}, "Expecting string variable but found non string variable - N"},
    };
    for (const auto& [keyword, fields, error] : cases)
        EXPECT_EQ(failure(keyword, fields), test::runErrorText(error));
    EXPECT_EQ(text("D"), "kept");
    EXPECT_EQ(text("T"), "before");
}

TEST_F(StringInstructionsTest, LengthAndNumbersConvertBetweenTextsAndNumericVariables)
{
    // The value a line stores from S into the numeric variable.
    auto stored = [&](std::string_view keyword, std::string text, std::string target) {
        setText("S", std::move(text));
        EXPECT_EQ(execute(keyword, {"S", target}), "");
        return var(target).numberAt(0);
    };
    EXPECT_EQ(stored("StringLength", "", "N"), 0.0f);
    EXPECT_EQ(stored("StringLength", "HELLO", "F"), 5.0f);
    EXPECT_EQ(stored("StringToNumeric", "12abc", "N"), 12.0f); // the leading number
    EXPECT_EQ(stored("StringToNumeric", "  -2.5e1x", "F"), -25.0f);
    EXPECT_EQ(stored("StringToNumeric", "inf", "F"), 0.0f);
    setText("S", "3e10");
    EXPECT_EQ(failure("StringToNumeric", {"S", "N"}), "Value out of range - 30000001024 - N");
    setText("S", "2147483648");
    EXPECT_NE(execute("StringToNumeric", {"S", "N"}), "");

    // Integers are written as digits, floats in the display form.
    auto shown = [&](std::string source) {
        EXPECT_EQ(execute("StringFromNumeric", {source, "S"}), "");
        return text("S");
    };
    ASSERT_TRUE(var("F").setNumberAt(0, 2.5f));
    EXPECT_EQ(shown("F"), "2.5");
    var("N").words[0] = 16777217; // beyond a float's exact integers
    EXPECT_EQ(shown("N"), "16777217");
    EXPECT_EQ(failure("StringFromNumeric", {"T", "S"}),
              test::runErrorText("Expecting numeric variable but found variable - T"));
}

TEST_F(StringInstructionsTest, GetTimeAndDateFormatsOneLocalInstant)
{
    std::tm when{};
    std::istringstream("2011-03-07 09:05:03") >> std::get_time(&when, "%Y-%m-%d %H:%M:%S");
    when.tm_isdst = -1;
    const std::time_t instant = std::mktime(&when);
    LineContext line = place("GetTimeAndDate", {"T", "D"});
    EXPECT_TRUE(getTimeAndDateAt(line, instant).ok());
    EXPECT_EQ(text("T"), "09:05:03");
    EXPECT_EQ(text("D"), "07/03/2011");
}

TEST_F(StringInstructionsTest, EditorsBuildTextsInDialogOrderRefuseNonVariablesAndRoundTrip)
{
    EditContext context{program, variables, nullptr};
    const InstructionEditor& part = *editorFor(kStringPart);
    const EditedLine built = test::roundTrip(part, {"Names(I)", "2.5", "Last", "D"}, context).line;
    EXPECT_EQ(built.text, "StringPart Names(I), 2.5, Last, D");
    EXPECT_EQ(built.block.textField(string_block::kDestination), "D");
    EXPECT_EQ(built.block.f32(string_block::kStart + 8), 2.5f);
    EXPECT_NE(test::refusal(part, {"S", "1", "3", "4"}, context).first, -1);
    using test::kBuilt;
    test::expectEditorRows(context, {{kStringFromNumeric, {"N", "S"}, kBuilt, "StringFromNumeric N, S"},
                                     {kStringLength, {"\"x\"", "N"}, 0, "Variable required."},
                                     {kStringPart, {"S", "\"1\"", "3", "D"}, 1, "Variable or constant required."},
                                     {kStringPart, {"S", "", "3", "D"}, 1, "Variable or constant required."},
                                     {kStringPart, {"A(I, 2)", "1234567", "-0.1", "D"}, kBuilt, ""},
                                     {kStringLength, {"Names(3)", "N"}, kBuilt, ""},
                                     {kStringToNumeric, {"S", "F"}, kBuilt, ""},
                                     {kGetTimeAndDate, {"T", "D"}, kBuilt, ""}});
}
