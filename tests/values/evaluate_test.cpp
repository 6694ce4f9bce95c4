#include "program/block_writer.h"
#include "support/expression_fixture.h"
#include "values/classify_field.h"

#include <gtest/gtest.h>

#include <cmath>
#include <deque>

namespace qel {
namespace {

using test::failureText;
using test::valueOf;

class Evaluate : public test::ExpressionTest {
protected:
    // An operand typed into a field, stored in a block and read back as a run reads it.
    CachedOperand& op(std::string_view fieldText)
    {
        BlockWriter writer(44);
        writeOperand(writer, 4, classifyField(fieldText));
        blocks_.push_back(writer.finish());
        operands_.push_back(CachedOperand{readOperand(blocks_.back(), 4), {}});
        return operands_.back();
    }
    float number(std::string_view field) { return valueOf(evalNumber(ctx, op(field))); }
    std::string text(std::string_view field) { return std::string(valueOf(evalString(ctx, op(field)))); }
    // The messages of failed reads.
    std::string numberError(std::string_view field) { return failureText(evalNumber(ctx, op(field))); }
    std::string textError(std::string_view field) { return failureText(evalString(ctx, op(field))); }

private:
    std::deque<ParamBlock> blocks_;
    std::deque<CachedOperand> operands_;
};

TEST_F(Evaluate, NumbersAndTextsFromLiteralsAndVariables)
{
    declare("N", kTypeInteger).words[0] = 7;
    ASSERT_TRUE(declare("F", kTypeFloat).setNumberAt(0, 2.25f));
    VariableRecord& s = declare("S", kTypeString);
    VariableRecord& t = declare("T", kTypeString);
    declare("Pic", kTypeBitmap);
    declare("File1", kTypeFile);
    ctx.displayPrecision = kRunStartPrecision;
    // S, never assigned, reads as empty, and empty as 0.
    EXPECT_EQ((std::vector{number("12"), number("n"), number("F"), number("S")}),
              (std::vector{12.0f, 7.0f, 2.25f, 0.0f}));
    s.texts[0] = {"1e3", true};
    EXPECT_EQ(number("S"), 1000.0f);
    EXPECT_EQ((std::vector{text("F"), text("N"), text("\"lit\""), text("T")}),
              (std::vector<std::string>{"2.25", "7", "lit", ""}));
    EXPECT_TRUE(t.texts[0].assigned);

    s.texts[0] = {"12abc", true};
    EXPECT_EQ(numberError("S"),
              runError("Unable to convert the contents \"12abc\" of the string variable to a numeric value - S"));
    EXPECT_EQ(numberError("\"abc\""), runError("Expecting numeric value but found string literal - abc"));
    EXPECT_EQ(numberError("Missing"), runError("Expecting numeric value but found undeclared variable - Missing"));
    EXPECT_EQ(numberError("Pic"), runError("Expecting numeric value but found a non-numeric variable - Pic"));
    EXPECT_EQ(numberError("N(1)"), runError(msg::kDifferingDimensions, "N"));
    EXPECT_EQ(textError("5"), runError("Expecting string value but found non string value "));
    EXPECT_EQ(textError("Gone"), runError("Expecting string value but found undeclared variable - Gone"));
    EXPECT_EQ(textError("File1"), runError("Expecting string value but found a non-string variable - File1"));
    EXPECT_EQ(textError("S(1)"), runError(msg::kDifferingDimensions, "S"));
}

TEST_F(Evaluate, SubscriptsAndCachesOfFoundVariablesOnly)
{
    VariableRecord& a = declare("A", kTypeInteger, kArray1D, 5);
    for (size_t i = 0; i < 5; ++i)
        a.words[i] = static_cast<uint32_t>(10 * (i + 1));
    VariableRecord& index = declare("Index", kTypeFloat);
    declare("Text", kTypeString);
    declare("B", kTypeInteger, kArray1D, 2);
    VariableRecord& m = declare("M", kTypeInteger, kArray2D, 3, 2);
    m.words[3] = 42;

    EXPECT_EQ(numberError("A"),
              runError("Differing number of dimensions between reference and declaration of variable - A"));
    EXPECT_EQ(number("A(5)"), 50.0f);
    ASSERT_TRUE(index.setNumberAt(0, 2.9f));
    EXPECT_EQ(number("A(Index)"), 20.0f); // truncated toward zero
    ASSERT_TRUE(index.setNumberAt(0, 0.5f));
    EXPECT_EQ(numberError("A(Index)"), runError("1st Subscript out of range - A"));
    EXPECT_EQ(numberError("A(6)"), runError("1st Subscript out of range - A"));
    EXPECT_EQ(number("M(1,2)"), 42.0f);
    EXPECT_EQ(numberError("M(1,3)"), runError("2nd Subscript out of range - M"));
    EXPECT_EQ(numberError("A(J)"), runError("Expecting subscript but found undeclared variable - J"));
    EXPECT_EQ(numberError("A(Text)"), runError("Expecting subscript but found a non-numeric variable - Text"));
    EXPECT_EQ(numberError("A(B)"), runError("Expecting subscript but found array variable - B"));

    CachedOperand& later = op("Later");
    EXPECT_FALSE(evalNumber(ctx, later).ok());
    EXPECT_EQ(later.cache.variable, nullptr); // a miss is not cached...
    VariableRecord& v = declare("Later", kTypeFloat);
    ASSERT_TRUE(v.setNumberAt(0, 1.5f));
    EXPECT_EQ(valueOf(evalNumber(ctx, later)), 1.5f); // ...so a later declaration is found
    EXPECT_EQ(later.cache.variable, &v);

    CachedOperand& element = op("Arr(I)");
    declare("Arr", kTypeInteger, kArray1D, 3);
    VariableRecord& i = declare("I", kTypeInteger);
    i.words[0] = 2;
    EXPECT_TRUE(evalNumber(ctx, element).ok());
    EXPECT_EQ(element.cache.sub1, &i);

    EXPECT_EQ(
        (std::vector{operandKind(ctx, later), operandKind(ctx, op("Nowhere")), operandKind(ctx, op("3")),
                     operandKind(ctx, op("")), operandKind(ctx, op("\"x\""))}),
        (std::vector<int>{kTypeFloat, kKindUndeclared, kKindNumberLiteral, kKindNumberLiteral, kKindStringLiteral}));
}

TEST_F(Evaluate, BitmapsAndFiles)
{
    declare("Pic", kTypeBitmap, kArray1D, 2);
    declare("Log", kTypeFile);
    declare("N", kTypeInteger);
    test::expectOk(storeWord(ctx, 5, op("Pic(2)")));
    EXPECT_EQ(valueOf(evalBitmap(ctx, op("Pic(2)"))), 5u);
    EXPECT_EQ(valueOf(evalFile(ctx, op("Log"))), 0u);

    auto refused = [&](auto eval, std::string_view field) { return failureText(eval(ctx, op(field))); };
    EXPECT_EQ(refused(evalBitmap, "\"a.bmp\""), runError("Expecting Bitmap but found literal value "));
    EXPECT_EQ(refused(evalBitmap, "Nope"), runError("Expecting Bitmap but found undeclared variable - Nope"));
    EXPECT_EQ(refused(evalBitmap, "N"), runError("Expecting Bitmap but found a non-bitmap variable - N"));
    EXPECT_EQ(refused(evalBitmap, "Pic"), runError(msg::kDifferingDimensions, "Pic"));
    EXPECT_EQ(refused(evalFile, "3"), runError("Expecting File but found literal value "));
    EXPECT_EQ(refused(evalFile, "Nope"), runError("Expecting File but found undeclared variable - Nope"));
    EXPECT_EQ(refused(evalFile, "Pic(1)"), runError("Expecting File but found a non-file variable - Pic"));
}

TEST_F(Evaluate, StoresAndRangeChecks)
{
    VariableRecord& n = declare("N", kTypeInteger);
    VariableRecord& a = declare("A", kTypeFloat, kArray1D, 2);
    VariableRecord& s = declare("S", kTypeString);
    test::expectOk(storeNumber(ctx, -2.7f, op("N")));
    EXPECT_EQ(n.integerAt(0), -2);
    test::expectOk(storeNumber(ctx, 2.7f, op("A(2)")));
    EXPECT_EQ(a.floatAt(1), 2.7f);

    EXPECT_EQ(failureText(storeNumber(ctx, 1.0f, op("A(3)"))), runError("1st Subscript out of range - A"));
    EXPECT_EQ(a.floatAt(0), 0.0f);
    EXPECT_EQ(failureText(storeNumber(ctx, 1.0f, op("4"))), runError("Expecting variable but found literal."));
    EXPECT_EQ(failureText(storeText(ctx, "x", {}, {}, op("Q"))),
              runError("Expecting variable but found undeclared variable - Q"));
    EXPECT_EQ(failureText(storeWord(ctx, 1, op("A"))), runError(msg::kDifferingDimensions, "A"));

    CachedOperand& dest = op("S");
    test::expectOk(storeText(ctx, "ab", "", "c", dest));
    EXPECT_EQ(s.textAt(0), "abc");
    const std::string_view self = valueOf(evalString(ctx, dest));
    test::expectOk(storeText(ctx, self, "-", self, dest)); // the texts may be the destination's own
    EXPECT_EQ(s.textAt(0), "abc-abc");
    EXPECT_TRUE(s.texts[0].assigned);
    // The range messages are checked through the drawing instructions; NaN is in no range.
    EXPECT_FALSE(checkRange(ctx, std::nanf(""), 0.0f, 1.0f, "Radius").ok());
}

} // namespace
} // namespace qel
