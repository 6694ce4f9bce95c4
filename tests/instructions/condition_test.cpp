#include "support/expression_fixture.h"

#include "instructions/flow/condition.h"
#include "instructions/flow/condition_texts.h"
#include "instructions/flow/for_editor.h"
#include "instructions/flow/if_editor.h"
#include "instructions/flow/while_editor.h"

#include <optional>

namespace qel {
namespace {

// If fields for up to three rows {left, comparison, right} joined by conditions, with the bracket
// boxes given as "(" before and ")" after a row's number: {"(2", ")3"}.
test::Fields ifFields(std::vector<std::array<std::string, 3>> rows, std::vector<std::string> conditions = {},
                      std::vector<std::string> brackets = {})
{
    using namespace if_fields;
    test::Fields values(kCount);
    for (int k = 0; k < static_cast<int>(rows.size()); ++k) {
        values[variableField(k)] = rows[k][0];
        values[comparisonField(k)] = rows[k][1];
        values[valueField(k)] = rows[k][2];
    }
    for (int k = 0; k < static_cast<int>(conditions.size()); ++k)
        values[conditionField(k)] = conditions[k];
    for (const std::string& b : brackets) {
        const int row = b[1] - '1';
        values[b[0] == '(' ? openField(row) : closeField(row)] = "1";
    }
    return values;
}

class Condition : public test::ExpressionTest {
protected:
    void SetUp() override
    {
        declare("A", kTypeInteger).words[0] = 5;
        declare("S", kTypeString).texts[0] = {"abc", true};
        declare("Pic", kTypeBitmap);
        declare("In", kTypeFile);
    }
    Result<bool> evaluate(const test::Fields& fields)
    {
        test::BuiltLine& line = build(ifEditor, fields);
        return evaluateCondition(ctx, line.line.block, line.slots);
    }
    bool holds(const test::Fields& fields) { return test::valueOf(evaluate(fields)); }
    std::string failure(const test::Fields& fields) { return test::failureText(evaluate(fields)); }
    // "true", "false", or the failure's text.
    static std::string outcome(const Result<bool>& result)
    {
        return !result ? result.failureText() : *result ? "true" : "false";
    }
    std::string whileHolds(const test::Fields& fields)
    {
        test::BuiltLine& line = build(whileEditor, fields);
        return outcome(whileCondition(ctx, line.line.block, line.slots));
    }

    IfEditor ifEditor;
    WhileEditor whileEditor;
    ForEditor forEditor;
};

TEST_F(Condition, ComparisonFamiliesLogicalOperatorsAndBrackets)
{
    EXPECT_TRUE(holds(ifFields({{"A", "Greater Than", "4.5"}})));
    EXPECT_FALSE(holds(ifFields({{"A", "Less Than", "5"}})));
    EXPECT_EQ(failure(ifFields({{"A", "Equal", "\"x\""}})), runError(msg::kNumericFoundStringLiteral, "x"));
    EXPECT_EQ(failure(ifFields({{"A", "IsNumeric", ""}})), runError(msg::kAllNumericAreNumeric));
    EXPECT_EQ(failure(ifFields({{"A", ".AtEndOfFile", ""}})), runError(msg::kComparisonNotPossible));

    EXPECT_TRUE(holds(ifFields({{"S", "Equal", "\"ABC\""}})));
    EXPECT_TRUE(holds(ifFields({{"S", "Less Than", "\"abd\""}})));
    ctx.caseSensitive = true;
    EXPECT_FALSE(holds(ifFields({{"S", "Equal", "\"ABC\""}})));
    EXPECT_TRUE(holds(ifFields({{"S", "Greater Than", "\"ABC\""}})));
    EXPECT_FALSE(holds(ifFields({{"S", "IsNumeric", ""}})));
    table.findVariable("S")->texts[0].text = "-1.5e3";
    EXPECT_TRUE(holds(ifFields({{"S", "IsNumeric", ""}})));
    EXPECT_FALSE(holds(ifFields({{"S", "IsNotNumeric", ""}})));

    EXPECT_EQ(failure(ifFields({{"In", ".AtEndOfFile", ""}})), runError(msg::kNoFile));
    table.findVariable("In")->words[0] = 3;
    EXPECT_EQ(failure(ifFields({{"In", ".AtEndOfFile", ""}})), runError(msg::kNoFile)); // no open files
    ctx.atEndOfFile = [](uint32_t handle) { return handle == 3 ? std::optional<bool>(true) : std::nullopt; };
    EXPECT_TRUE(holds(ifFields({{"In", ".AtEndOfFile", ""}})));
    EXPECT_EQ(failure(ifFields({{"In", "Equal", "1"}})), runError(msg::kComparisonNotPossible));
    EXPECT_EQ(failure(ifFields({{"Pic", "Equal", "1"}})), runError(msg::kEvaluateBitmap, "Pic"));
    EXPECT_EQ(failure(ifFields({{"Q", "Equal", "1"}})), runError(msg::kUndeclaredReference, "Q"));

    const std::array<std::string, 3> yes = {"A", "Equal", "5"};
    const std::array<std::string, 3> no = {"A", "Equal", "6"};
    EXPECT_TRUE(holds(ifFields({no, yes}, {"OR"})));
    EXPECT_FALSE(holds(ifFields({yes, yes}, {"XOR"})));
    EXPECT_FALSE(holds(ifFields({yes, no}, {"AND"})));
    // yes OR yes AND no: left to right unless brackets enclose the last two.
    EXPECT_FALSE(holds(ifFields({yes, yes, no}, {"OR", "AND"})));
    EXPECT_FALSE(holds(ifFields({yes, yes, no}, {"OR", "AND"}, {"(1", ")2"})));
    EXPECT_FALSE(holds(ifFields({yes, yes, no}, {"OR", "AND"}, {"(2", ")2"})));
    EXPECT_TRUE(holds(ifFields({yes, yes, no}, {"OR", "AND"}, {"(2", ")3"})));
    // Every comparison present is evaluated: no short-circuit.
    EXPECT_EQ(failure(ifFields({yes, {"Q", "Equal", "1"}}, {"OR"})), runError(msg::kUndeclaredReference, "Q"));
}

TEST_F(Condition, While)
{
    EXPECT_EQ(whileHolds({"S", "Not Equal", "\"ABC\""}), "false");
    EXPECT_EQ(whileHolds({"Q", "Equal", "1"}), runError(msg::kUndeclaredReference, "Q"));
    EXPECT_EQ(whileHolds({"Pic", "Equal", "1"}), runError(msg::kWhileBitmap, "Pic"));
    EXPECT_EQ(whileHolds({"In", "Equal", "1"}), runError(msg::kWhileFile, "In"));
    // Again when the line runs a second time, over what its first run noted.
    test::BuiltLine& line = build(whileEditor, {"A", "Equal", "Q"});
    for (int pass = 0; pass < 2; ++pass)
        EXPECT_EQ(outcome(whileCondition(ctx, line.line.block, line.slots)), runError(msg::kCantEvaluate));
    test::BuiltLine& count = build(whileEditor, {"A", "Less Than or Equal", "5"});
    EXPECT_EQ(outcome(whileCondition(ctx, count.line.block, count.slots)), "true");
    table.findVariable("A")->words[0] = 6;
    EXPECT_EQ(outcome(whileCondition(ctx, count.line.block, count.slots)), "false");
}

TEST_F(Condition, EditorsRefuseIncompleteLinesAndTheirTextsRoundTrip)
{
    using namespace if_fields;
    const std::array<std::string, 3> row = {"A", "Equal", "1"};
    expectRefused(ifEditor, ifFields({{"1", "Equal", "1"}}), variableField(0), kVariableRequired);
    expectRefused(ifEditor, ifFields({{"A", "", "1"}}), comparisonField(0), kConditionRequired);
    expectRefused(ifEditor, ifFields({{"A", "Equal", ""}}), valueField(0), kVariableOrConstantRequired);
    expectRefused(ifEditor, ifFields({{"A", "IsNumeric", "1"}}), valueField(0), kExpectingEmptyField);
    expectRefused(ifEditor, ifFields({row, {"B", "", ""}}, {"AND"}), comparisonField(1), kConditionRequired);
    expectRefused(ifEditor, ifFields({row, row, row}, {"", "OR"}), conditionField(0), kConditionRequired);
    expectRefused(ifEditor, ifFields({row, row}, {"AND"}, {"(1"}), openField(0), kUnbalancedParenthesis);
    expectRefused(ifEditor, ifFields({row, row, row}, {"AND", "OR"}, {"(1", ")1", "(2", ")3"}), openField(0),
                  kUnnecessaryParenthesis);
    expectRefused(ifEditor, ifFields({row, row}, {"AND"}, {")1", "(2"}), closeField(0), kUnbalancedParenthesis);
    const std::string longText = "\"" + std::string(250, 'x') + "\"";
    const std::string longName = "A(" + std::string(20, 'I') + "," + std::string(20, 'J') + ")";
    const std::array<std::string, 3> longRow = {longName, "Equal", longText};
    expectRefused(ifEditor, ifFields({longRow, longRow, longRow}, {"AND", "AND"}), valueField(2), kLineTooLong);

    expectRefused(whileEditor, {"\"A\"", "Equal", "1"}, while_fields::kVariable, kVariableRequired);
    expectRefused(whileEditor, {"A", "IsNumeric", "1"}, while_fields::kCondition, kNotAListItem);
    expectRefused(whileEditor, {"A", "Equal", ""}, while_fields::kValue, kExpressionRequired);
    expectRefused(forEditor, {"1", "1", "10"}, for_fields::kCounter, kNumericExpressionRequired);
    expectRefused(forEditor, {"I", "\"1\"", "10"}, for_fields::kStart, kNumericExpressionRequired);
    expectRefused(forEditor, {"I", "1", ""}, for_fields::kEnd, kNumericExpressionRequired);
    expectRefused(forEditor, {"I", "1", "10", "2x"}, for_fields::kStep, kNumericExpressionRequired);

    // The texts the editors build, which decode to the same lines.
    const std::array<std::string, 3> greater = {"A", "Greater Than", "5"};
    EXPECT_EQ(
        build(ifEditor, ifFields({greater, {"B", "Equal", "2"}, {"C", "Less Than", "1"}}, {"AND", "OR"}, {"(2", ")3"}))
            .line.text,
        "If A Greater Than 5 AND (B Equal 2 OR C Less Than 1) Then");
    EXPECT_EQ(build(ifEditor, ifFields({{"In", ".AtEndOfFile", ""}, {"S", "IsNotNumeric", ""}}, {"XOR"})).line.text,
              "If In.AtEndOfFile XOR S IsNotNumeric Then");
    EXPECT_EQ(build(whileEditor, {"I", "", "N(2)"}).line.text, "While I Greater Than N(2)");
    EXPECT_EQ(build(forEditor, {"I", "1", "10", "2"}).line.text, "For I = 1 To 10 Step 2");
    EXPECT_EQ(build(forEditor, {"I", "-2147483648", "10000000", "1e10"}).line.text,
              "For I = -2147483648 To 10000000 Step 1e+10");

    expectRoundTrip(ifEditor, ifFields({greater, {"S", "Equal", "\"a b\""}, {"In", ".AtEndOfFile", ""}}, {"XOR", "AND"},
                                       {"(1", ")2"}));
    expectRoundTrip(whileEditor, {"X(I,J)", "Not Equal", "-0.001"});
    expectRoundTrip(forEditor, {"I", "-2147483648", "2147483648", "16777217"});
}

} // namespace
} // namespace qel
