#include "support/expression_fixture.h"
#include "support/program_builder.h"

#include "instructions/variables/let.h"
#include "instructions/variables/let_editor.h"
#include "instructions/variables/let_texts.h"

#include <cmath>

namespace qel {
namespace {

using test::letFields;
using test::letFunctionFields;

class Let : public test::ExpressionTest {
protected:
    void SetUp() override
    {
        ctx.displayPrecision = kRunStartPrecision;
        ctx.random.seed(1);
        declare("N", kTypeInteger);
        declare("F", kTypeFloat);
        declare("S", kTypeString);
    }
    Status execute(test::BuiltLine& line) { return executeLet(ctx, line.line.block, line.slots); }
    Status run(const test::Fields& fields) { return execute(build(editor, fields)); }
    // The value the line stores in its destination, a variable without subscripts.
    float number(const test::Fields& fields)
    {
        test::expectOk(run(fields));
        return table.findVariable(fields[0])->numberAt(0);
    }
    std::string text(const test::Fields& fields)
    {
        test::expectOk(run(fields));
        return std::string(table.findVariable("S")->textAt(0));
    }
    std::string failure(const test::Fields& fields) { return test::failureText(run(fields)); }

    LetEditor editor;
};

TEST_F(Let, ArithmeticIsLeftToRightIn32BitFloatsAndStringsConcatenate)
{
    EXPECT_EQ(number(letFields("N", "7", "/", "2")), 3.0f);
    EXPECT_EQ(number(letFields("F", "7", "/", "2")), 3.5f);
    EXPECT_EQ(number(letFields("N", "-7", "%", "2")), -1.0f);
    EXPECT_EQ(number(letFields("F", "7.9", "%", "-2.5")), 1.0f);
    EXPECT_EQ(number(letFields("N", "2", "+", "3", "*", "4")), 20.0f);
    EXPECT_EQ(number(letFields("N", "16777216", "+", "1")), 16777216.0f); // 2^24 + 1 is not a float
    EXPECT_EQ(number(letFields("N", "6", " Bit_And ", "3")), 2.0f);
    EXPECT_EQ(number(letFields("N", "6", " Bit_Or ", "3.9")), 7.0f);
    EXPECT_EQ(number(letFields("N", "6", " Bit_Xor ", "3")), 5.0f);
    EXPECT_EQ(number(letFields("N", "5", " Bit_Not ", "9")), 0.0f);
    EXPECT_EQ(number(letFields("N", "0.5", " Bit_Not ", "9")), 1.0f);
    EXPECT_TRUE(std::isinf(number(letFields("F", "1", "/", "0"))));
}

TEST_F(Let, IntegerBoundsAndFailuresLeaveTheDestination)
{
    declare("Big", kTypeInteger).words[0] = 2000000000;
    ASSERT_TRUE(declare("Huge", kTypeFloat).setNumberAt(0, 3e9f));
    declare("Pic", kTypeBitmap);
    declare("Out", kTypeFile);
    table.findVariable("N")->words[0] = 42;
    const std::string overflow = runError(msg::kIntegerOverflow);
    EXPECT_EQ(failure(letFields("N", "Big", "+", "Big")), overflow);
    EXPECT_EQ(failure(letFields("N", "1", "/", "0")), overflow);
    EXPECT_EQ(failure(letFields("N", "Huge")), "Value out of range - 3000000000 - First expression");
    EXPECT_EQ(failure(letFields("N", "1", "+", "Huge")), "Value out of range - 3000000000 - Second expression");
    EXPECT_EQ(failure(letFields("N", "1", "+", "1", "*", "Huge")),
              "Value out of range - 3000000000 - Third expression");
    EXPECT_EQ(failure(letFields("N", "7", "%", "0.5")), runError(msg::kRemainderByZero));
    EXPECT_EQ(table.findVariable("N")->integerAt(0), 42);

    EXPECT_EQ(number(letFields("F", "Big", "+", "Big")), 4e9f);
    EXPECT_EQ(failure(letFields("Q", "1")), runError(msg::kUndeclaredReference, "Q"));
    EXPECT_EQ(failure(letFields("Pic", "1")), runError(msg::kAssignToBitmap, "Pic"));
    EXPECT_EQ(failure(letFields("Out", "1")), runError(msg::kAssignToFile, "Out"));
}

TEST_F(Let, RepeatedLinesAgreeWithTheirFirstRun)
{
    // A line's first run finds its variables; later runs take the quick path over what it noted.
    declare("Big", kTypeInteger).words[0] = 1500000000;
    VariableRecord& n = *table.findVariable("N");
    VariableRecord& f = *table.findVariable("F");
    test::BuiltLine& grow = build(editor, letFields("N", "N", "+", "Big"));
    test::expectOk(execute(grow));
    EXPECT_EQ(test::failureText(execute(grow)), runError(msg::kIntegerOverflow));
    EXPECT_EQ(n.integerAt(0), 1500000000);

    test::BuiltLine& halve = build(editor, letFields("N", "7", "/", "2", "-", "F"));
    ASSERT_TRUE(f.setNumberAt(0, 0.75f));
    for (int pass = 0; pass < 2; ++pass) {
        EXPECT_TRUE(execute(halve));
        EXPECT_EQ(n.integerAt(0), 2); // 2.75 truncated
    }
    test::BuiltLine& triple = build(editor, letFields("F", "F", "*", "N", "+", "1"));
    EXPECT_TRUE(execute(triple) && execute(triple));
    EXPECT_EQ(f.floatAt(0), 6.0f); // (0.75 * 2 + 1) * 2 + 1
}

TEST_F(Let, FunctionsAndDates)
{
    // Degrees, with single-precision rounding: neither cos 90 is 0 nor sin 30 is 0.5.
    EXPECT_NEAR(number(letFunctionFields("F", "Cos", "90")), -1.17e-6, 0.01e-6);
    EXPECT_NEAR(number(letFunctionFields("F", "Sin", "30")), 0.5000003, 1e-7);
    EXPECT_NEAR(number(letFunctionFields("F", "Tan", "45")), 1.0, 1e-5);
    EXPECT_EQ(number(letFunctionFields("F", "Round", "2.5")), 3.0f);
    EXPECT_EQ(number(letFunctionFields("F", "Round", "-2.5")), -3.0f);
    EXPECT_EQ(number(letFunctionFields("F", "Round", "2.4999")), 2.0f);
    EXPECT_EQ(number(letFunctionFields("F", "Int", "-2.75")), -2.0f);
    EXPECT_EQ(number(letFunctionFields("F", "Fraction", "-2.75")), -0.75f);
    EXPECT_EQ(number(letFunctionFields("N", "Sqrt", "16", "*", "3")), 12.0f);
    EXPECT_EQ(failure(letFunctionFields("N", "Sqrt", "16", "*", "3e9")),
              "Value out of range - 3000000000 - Second expression");

    // The classic generator seeded with 1 starts 41, 18467, 6334, 26500.
    EXPECT_EQ(number(letFunctionFields("F", "Rand", "0")), 41.0f / 32767.0f);
    EXPECT_EQ(number(letFunctionFields("F", "Rand", "1")), 1.0f);
    EXPECT_EQ(number(letFunctionFields("N", "Rand", "6")), 1.0f); // 6334 / 32767 of 6, into an Integer

    // Dates (the calendar itself is the dates tests'): day 0 is 30/12/1899.
    EXPECT_EQ(number(letFunctionFields("N", "DateFromStr", "\"15/03/2023\"", "+", "1")), 45001.0f);
    EXPECT_EQ(failure(letFunctionFields("N", "DateFromStr", "\"1/3/2023\"")), runError(msg::kDateFormat, "1/3/2023"));
    EXPECT_EQ(failure(letFunctionFields("N", "DateFromStr", "\"29/02/2023\"")), runError(msg::kNotADate, "29/02/2023"));
    EXPECT_EQ(failure(letFunctionFields("N", "DateToStr", "1")), runError(msg::kFunctionReturnsString));

    EXPECT_EQ(text(letFunctionFields("S", "DateToStr", "45000.75")), "15/03/2023");
    EXPECT_EQ(failure(letFunctionFields("S", "Sqrt", "4")), runError(msg::kFunctionReturnsNumber));

    ASSERT_TRUE(table.findVariable("F")->setNumberAt(0, 2.5f));
    EXPECT_EQ(text(letFields("S", "\"ab\"", "+", "F", "+", "\"c\"")), "ab2.5c");
    EXPECT_EQ(text(letFields("S", "S", "+", "S")), "ab2.5cab2.5c");
    EXPECT_EQ(failure(letFields("S", "\"a\"", "+", "5")), runError(msg::kStringFoundNonString));
    EXPECT_EQ(failure(letFields("S", "\"a\"", "-", "\"b\"")), runError(msg::kInvalidOperator));
    EXPECT_EQ(table.findVariable("S")->textAt(0), "ab2.5cab2.5c");
}

TEST_F(Let, EditorRefusesIncompleteLinesAndBuildsTextsThatRoundTrip)
{
    using namespace let_fields;
    expectRefused(editor, letFields("5", "1"), kDestination, kVariableRequired);
    expectRefused(editor, letFields("N", ""), kOperand1, kEntryRequired);
    expectRefused(editor, letFields("N", "1 +"), kOperand1, kInvalidExpression);
    expectRefused(editor, letFields("N", "1", "", "2"), kOperator1, kMissingOperator);
    expectRefused(editor, letFields("N", "1", "+", ""), kOperand2, kMissingExpression);
    expectRefused(editor, letFields("N", "1", "", "", "+", "2"), kOperator1, kMissingOperator);
    expectRefused(editor, letFields("N", "1", "+", "2", "*", ""), kOperand3, kMissingExpression);
    expectRefused(editor, letFields("N", "1", "^", "2"), kOperator1, kNotAListItem);
    expectRefused(editor, letFunctionFields("N", "", "1"), kFunction, kFunctionRequired);
    expectRefused(editor, letFunctionFields("N", "Cos", ""), kArgument, kExpressionRequired);
    expectRefused(editor, letFunctionFields("N", "Cos", "1", " Bit_And ", "2"), kFunctionOperator, kNotAListItem);
    expectRefused(editor, letFunctionFields("N", "Cos", "1", "", "2"), kFunctionOperator, kMissingOperator);
    expectRefused(editor, letFunctionFields("N", "Cos", "1", "+", "A("), kSecondOperand, kInvalidExpression);

    EXPECT_EQ(build(editor, letFields(" N ", "A( I , 2 )", " Bit_And ", "2.50", "+", "\"x\"")).line.text,
              "Let N = A(I,2) Bit_And 2.5+\"x\"");
    EXPECT_EQ(build(editor, letFunctionFields("N", "Cos", "90", "*", "F")).line.text, "Let N = Cos(90)*F");
    EXPECT_EQ(build(editor, letFunctionFields("S", "DateToStr", "D")).line.text, "Let S = DateToStr(D)");
    for (const test::Fields& fields :
         {letFields("N", "A(1)", "-", "-0.1", "%", "B"), letFields("S", "\"\"", "+", "3.14159265"),
          letFunctionFields("F", "Rand", "0", "/", "1e30")})
        expectRoundTrip(editor, fields);
}

} // namespace
} // namespace qel
