#include "instruction_checks.h"
#include "instructions/variables/declare_variable.h"
#include "instructions/variables/declared_variables.h"
#include "values/literals.h"

namespace qel {
namespace {

using Fields = std::vector<std::string>;
const std::string kScalar = "Not an Array";

// Field values: type, shape, dimensions, then name/initial value pairs.
Fields fields(std::string type, std::string shape, std::string d1, std::string d2,
              std::vector<std::pair<std::string, std::string>> variables)
{
    Fields values{type, shape, d1, d2};
    for (auto& [name, initial] : variables) {
        values.push_back(name);
        values.push_back(initial);
    }
    values.resize(declare_fields::kCount);
    return values;
}

class DeclareVariable : public ::testing::Test {
protected:
    EditOutcome accept(const Fields& values, const ProgramLine* editing = nullptr)
    {
        EditContext context{program, table, editing};
        return editor.accept(values, context);
    }
    // The line's text; decoded, its fields build the same line again.
    std::string text(const Fields& values)
    {
        EditContext context{program, table, nullptr};
        return test::roundTrip(editor, values, context).line.text;
    }
    void expectError(const Fields& values, int field, std::string_view message, const ProgramLine* editing = nullptr)
    {
        EditOutcome outcome = accept(values, editing);
        ASSERT_FALSE(outcome.ok());
        EXPECT_EQ(outcome.error->field, field);
        EXPECT_EQ(noticeText(outcome.error->message), message);
        EXPECT_EQ(outcome.error->icon, Icon::Exclamation);
    }
    // Appends a line to the current section, or stores over line `editing`, as the dialog would.
    bool store(const Fields& values, long editing = -1)
    {
        program.edit.target = static_cast<int32_t>(editing);
        EditContext context{program, table, editing >= 0 ? program.lineAt(program.edit.section, editing) : nullptr};
        return !runEditor(editor, values, context, host);
    }
    std::vector<std::string> variableNames() const
    {
        std::vector<std::string> names;
        for (const VariableRecord& v : table)
            names.push_back(v.name);
        return names;
    }

    DeclareVariableEditor editor;
    Program program;
    VariableTable table;
    test::RecordingHost host;
};

TEST_F(DeclareVariable, DisplayTextsBlockAndFieldChecksInOrder)
{
    // The line text each declaration shows: values in their display form, arrays with their sizes.
    const std::pair<Fields, std::string> cases[] = {
        {fields("Integer", kScalar, "", "", {{"qelScanCode", "0"}}), "Integer qelScanCode=0"},
        {fields("String", kScalar, "", "", {{"qelChar", "\"\""}}), "String qelChar=\"\""},
        {fields("Integer", "", "", "", {{"A", "+007"}, {"B", ""}}), "Integer A=7,B=0"},
        {fields("Floating Point", kScalar, "", "", {{"X", "2.50"}, {"Y", "1234567"}, {"Z", " 1e5 "}}),
         "Floating Point X=2.5,Y=1.23457e+06,Z=100000"},
        {fields("Bitmap", kScalar, "", "", {{"Pic", "ignored"}}), "Bitmap Pic"},
        {fields("Integer", "1D Array", "10", "99", {{"A", "7"}}), "Integer A(10)"},
        {fields("String", "2D Array", "100", "100", {{"Grid", "\"x\""}, {"", ""}, {"Other", ""}}),
         "String Grid(100,100),Other(100,100)"},
        {fields("Integer", kScalar, "", "", {{"A", "+5"}, {"", ""}, {"B", "-2147483"}}), "Integer A=5,B=-2147483"},
        {fields("Floating Point", kScalar, "", "", {{"X", "0.1"}, {"Y", "1.2345678"}, {"Z", "0.1e-38"}, {"W", "9e38"}}),
         "Floating Point X=0.1,Y=1.23457,Z=1e-39,W=inf"},
        {fields("String", kScalar, "", "", {{"S", "\"say \"hi\"\""}, {"T", ""}}), "String S=\"say \"hi\"\",T=\"\""},
        {fields("File", kScalar, "", "", {{"In", ""}, {"Out", ""}}), "File In,Out"},
    };
    for (const auto& [values, shown] : cases)
        EXPECT_EQ(text(values), "DeclareVariables " + shown);

    EditOutcome outcome = accept(fields("String", "1D Array", "3", "", {{"", ""}, {"Names", "\"hi\""}}));
    ASSERT_TRUE(outcome.ok());
    const ParamBlock& block = outcome.line.block;
    EXPECT_EQ(outcome.line.type, kDeclareVariable);
    // The words from offset 4 up to the empty first row's slot, which stays empty.
    EXPECT_EQ((std::vector<uint32_t>{block.u32(4), block.u32(8), block.u32(12), block.u32(16), block.u32(20)}),
              (std::vector<uint32_t>{4, 2, 3, 1, 0}));
    EXPECT_EQ(std::pair(block.u32(28), block.textField(28)), std::pair(52u, std::string_view("Names")));
    EXPECT_EQ(std::pair(block.u32(32), block.textField(32)), std::pair(58u, std::string_view("hi")));
    EXPECT_EQ(block.bodyLength(), 48u + 6u + 3u);
    // The dialog's lists of types and shapes.
    EXPECT_EQ(editor.fields()[0].items, (Fields{"Integer", "Floating Point", "String", "Bitmap", "File"}));
    EXPECT_EQ(editor.fields()[1].items, (Fields{"Not an Array", "1D Array", "2D Array"}));

    // The fields are checked in order.
    expectError(fields("Integer", "", "", "", {{"A", "1"}, {"1A", "x"}}), 5 + 1, kInvalidVariableName);
    expectError(fields("Integer", "", "", "", {{"abcdefghijklmnopqrstu", ""}}), 4, "Invalid variable name");
    EXPECT_TRUE(accept(fields("Integer", "", "", "", {{"abcdefghijklmnopqrst", ""}})).ok());
    expectError(fields("Integer", "", "", "", {}), 4, kVariableNameNeeded);

    expectError(fields("Integer", "", "", "", {{"A", "1.5"}}), 5, "Non numeric character in an integer");
    expectError(fields("Floating Point", "", "", "", {{"A", "1"}, {"B", "1e39"}}), 7, "Exponent out of range.");
    expectError(fields("String", "", "", "", {{"A", "abc"}}), 5, kStringNeedsQuotes);

    const std::string range = " Dimension must be an integer in the range 0 - 1000";
    expectError(fields("Integer", "1D Array", "1001", "", {{"A", ""}}), 2, "1st" + range);
    expectError(fields("Integer", "2D Array", "5", "x", {{"A", ""}}), 3, "2nd" + range);
    expectError(fields("Integer", "2D Array", "", "5", {{"A", ""}}), 2, "1st" + range);
    expectError(fields("Integer", "2D Array", "100", "101", {{"A", ""}}), 3,
                "Arrays may not have more that 10,000 elements");
    EXPECT_TRUE(accept(fields("Integer", "2D Array", "100", "100", {{"A", ""}})).ok());
    EXPECT_TRUE(accept(fields("Integer", "1D Array", "0", "", {{"A", ""}})).ok());

    expectError(fields("Integer", "", "", "", {{"Count", ""}, {"COUNT", ""}}), 6, "Duplicate variable name");
    expectError(fields("Integr", "", "", "", {{"A", ""}}), 0, kNotAListItem);

    // Long string values are refused, not cut.
    const std::string value = "\"" + std::string(250, 's') + "\"";
    EXPECT_TRUE(accept(fields("String", "", "", "", {{"A", value}, {"B", value}, {"C", value}})).ok());
    expectError(fields("String", "", "", "", {{"A", value}, {"B", value}, {"C", value}, {"D", value}}), 11,
                kDeclarationTooLong);
}

TEST_F(DeclareVariable, StoringCreatesAndReplacesVariablesAndDeletingRemovesThem)
{
    ASSERT_TRUE(store(fields("Integer", "", "", "", {{"Count", "5"}, {"Total", ""}})));
    ASSERT_TRUE(store(fields("String", "1D Array", "4", "", {{"Names", ""}})));
    EXPECT_EQ(variableNames(), (std::vector<std::string>{"Count", "Total", "Names"}));
    EXPECT_EQ(table.findVariable("count")->initialInteger(), 5);

    // A new line may not reuse a name; editing a line may keep its own names but not take others'.
    expectError(fields("Integer", "", "", "", {{"total", ""}}), 4, kDuplicateVariableName);
    const ProgramLine* first = program.lineAt(0, 1);
    EXPECT_TRUE(accept(fields("Integer", "", "", "", {{"TOTAL", ""}, {"Count", ""}}), first).ok());
    expectError(fields("Integer", "", "", "", {{"Names", ""}}), 4, kDuplicateVariableName, first);

    ASSERT_TRUE(store(fields("Floating Point", "", "", "", {{"Count", "1.5"}, {"Extra", ""}}), 1));
    EXPECT_EQ(variableNames(), (std::vector<std::string>{"Names", "Count", "Extra"}));
    EXPECT_EQ(table.findVariable("Count")->type, kTypeFloat);
    EXPECT_EQ(program.lineAt(0, 1)->text, "DeclareVariables Floating Point Count=1.5,Extra=0");
    EXPECT_TRUE(host.messages.empty());

    // Rebuilding from the stored lines gives the same variables.
    VariableTable rebuilt;
    ASSERT_TRUE(createDeclaredVariables(rebuilt, program, 0, host));
    EXPECT_EQ(rebuilt.size(), 3u);
    EXPECT_EQ(rebuilt.findVariable("names")->declaredCount(), 4u);
    EXPECT_EQ(rebuilt.findVariable("count")->initialFloat(), 1.5f);

    // Deleting a line removes its variables; the first line cannot be deleted, so its variables stay.
    EXPECT_TRUE(deleteProgramLine(program, table, 1, host));
    EXPECT_EQ(variableNames(), (std::vector<std::string>{"Names"}));
    EXPECT_EQ(program.sections[0].lines.size(), 2u);
    program.sections[0].lines[0] = *program.lineAt(0, 1);
    EXPECT_FALSE(deleteProgramLine(program, table, 0, host));
    EXPECT_EQ(variableNames(), (std::vector<std::string>{"Names"}));
    EXPECT_EQ(host.messages.size(), 1u); // the line store's refusal
}

} // namespace
} // namespace qel
