#include "program/block_writer.h"
#include "values/classify_field.h"
#include "values/number_text.h"

#include <gtest/gtest.h>

namespace qel {
namespace {

TEST(ClassifyField, LiteralsAndEmptyFields)
{
    auto twelve = classifyField("12");
    EXPECT_EQ(twelve.kind, OperandClass::Integer);
    EXPECT_EQ(twelve.number, 12.0f);
    EXPECT_EQ(classifyField("12.0").kind, OperandClass::Floating);
    auto quoted = classifyField("\"12\"");
    EXPECT_EQ(quoted.kind, OperandClass::String);
    EXPECT_EQ(quoted.text, "12");
    EXPECT_EQ(quoted.stringAreaBytes(), 3u);
    EXPECT_EQ(classifyField("   ").kind, OperandClass::Empty);
    EXPECT_EQ(classifyField("  -7  ").number, -7.0f);
    EXPECT_EQ(classifyField("\"\"").kind, OperandClass::String);

    // Integer literals pass through a 32-bit float: exact up to 2^24, rounded beyond.
    EXPECT_EQ(classifyField("16777216").number, 16777216.0f);
    EXPECT_EQ(classifyField("-16777215").number, -16777215.0f);
    EXPECT_EQ(classifyField("16777217").number, 16777216.0f);

    auto exponent = classifyField("1e5");
    EXPECT_EQ(exponent.kind, OperandClass::Floating);
    EXPECT_EQ(exponent.number, 100000.0f);
    EXPECT_EQ(classifyField("e5").kind, OperandClass::Variable); // a name, not a number
    EXPECT_EQ(classifyField("\"abc").kind, OperandClass::Invalid);
}

TEST(ClassifyField, VariableReferences)
{
    auto plain = classifyField("Count");
    EXPECT_EQ(plain.kind, OperandClass::Variable);
    EXPECT_EQ(plain.name, "Count");
    EXPECT_EQ(plain.arrayKind, 1u);

    auto one = classifyField("A(I)");
    EXPECT_EQ(one.arrayKind, 2u);
    EXPECT_EQ(one.sub1Name, "I");

    auto two = classifyField("A( I , 2 )");
    EXPECT_EQ(two.kind, OperandClass::Variable);
    EXPECT_EQ(two.arrayKind, 3u);
    EXPECT_EQ(two.sub1Name, "I");
    EXPECT_EQ(two.sub2Name, "");
    EXPECT_EQ(two.sub2Value, 2);
    EXPECT_EQ(two.stringAreaBytes(), 4u);

    auto spaced = classifyField("A   (  +3 )");
    EXPECT_EQ(spaced.arrayKind, 2u);
    EXPECT_EQ(spaced.sub1Value, 3);
    EXPECT_EQ(classifyField("A(-1)").sub1Value, -1); // refused only when it runs

    EXPECT_EQ(classifyField(std::string(20, 'x')).kind, OperandClass::Variable);
    for (const char* invalid : {"A(I,2", "A(I J)", "A B", "A(1.5)", "A(,)", "A()", "A(1,2,3)", "A(I)(J)", "1A", "A*B",
                                "A(I,)", "(I)", "A)I(", "abcdefghijklmnopqrstu", "A(\"x\")"})
        EXPECT_EQ(classifyField(invalid).kind, OperandClass::Invalid) << invalid;
}

TEST(WriteOperand, SlotsAndStringAreaRoundTrip)
{
    const char* fields[] = {"M( Row , 2 )", "\"hello\"", "12.5", "", "Total"};
    constexpr uint32_t kSlots = 5;
    BlockWriter writer(kSlots * 44);
    uint32_t textBytes = 0;
    for (uint32_t j = 0; j < kSlots; ++j) {
        auto field = classifyField(fields[j]);
        textBytes += field.stringAreaBytes();
        writeOperand(writer, 4 + 44 * j, field);
    }
    ParamBlock block = writer.finish();
    EXPECT_EQ(block.bodyLength(), kSlots * 44 + textBytes);

    Operand m = readOperand(block, 4);
    EXPECT_TRUE(m.isVariable());
    EXPECT_EQ(m.name, "M");
    EXPECT_EQ(m.arrayKind, 3u);
    EXPECT_TRUE(m.hasSub1Name);
    EXPECT_EQ(m.sub1Name, "Row");
    EXPECT_FALSE(m.hasSub2Name);
    EXPECT_EQ(m.sub2Value, 2);
    // Texts go front to back: the name first, right after the fixed part.
    EXPECT_EQ(block.u32(4), 4 + kSlots * 44);
    EXPECT_EQ(block.u32(4 + 16), 4 + kSlots * 44 + 2);
    for (uint32_t j = 0; j < kSlots; ++j)
        for (uint32_t cache = 32; cache < 44; cache += 4)
            EXPECT_EQ(block.u32(4 + 44 * j + cache), 0u);

    Operand hello = readOperand(block, 48);
    EXPECT_TRUE(hello.isStringLiteral());
    EXPECT_EQ(hello.text, "hello");
    Operand number = readOperand(block, 92);
    EXPECT_TRUE(number.isNumberLiteral());
    EXPECT_EQ(number.number, 12.5f);
    EXPECT_TRUE(readOperand(block, 136).isNumberLiteral()); // an empty field reads as literal 0

    EXPECT_EQ(formatReference(m, kGeneralPrecision), "M(Row,2)");
    EXPECT_EQ(formatReference(hello, kGeneralPrecision), "\"hello\"");
    EXPECT_EQ(formatReference(number, kGeneralPrecision), "12.5");
    EXPECT_EQ(formatReference(readOperand(block, 180), kGeneralPrecision), "Total");
    EXPECT_EQ(formatOptionalReference(number), "");
    EXPECT_EQ(formatOptionalReference(readOperand(block, 136)), "");
    EXPECT_EQ(formatOptionalReference(hello), "\"hello\"");

    // A slot past the end of a short block reads as an empty field.
    Operand beyond = readOperand(block, 4000);
    EXPECT_TRUE(beyond.isNumberLiteral());
    EXPECT_EQ(beyond.number, 0.0f);
}

TEST(WriteOperand, EmptyStringLiteralIsStillAString)
{
    BlockWriter writer(44);
    writeOperand(writer, 4, classifyField("\"\""));
    Operand op = readOperand(writer.finish(), 4);
    EXPECT_TRUE(op.isStringLiteral());
    EXPECT_EQ(formatOptionalReference(op), "\"\"");
    EXPECT_EQ(formatReference(asOperand(classifyField("A(1,J)")), kGeneralPrecision), "A(1,J)");
}

TEST(OperandSlots, OffsetsFollowTheLineType)
{
    std::vector<uint32_t> offsets;
    ASSERT_TRUE(operandSlotOffsets(23, offsets)); // Let: four slots after the mode word
    EXPECT_EQ(offsets, (std::vector<uint32_t>{8, 52, 96, 140}));
    offsets.clear();
    ASSERT_TRUE(operandSlotOffsets(61, offsets)); // CallUsing: five, and the control variable
    EXPECT_EQ(offsets.size(), 6u);
    EXPECT_EQ(offsets.back(), 236u);
    offsets.clear();
    EXPECT_TRUE(operandSlotOffsets(4, offsets));
    EXPECT_TRUE(offsets.empty());
    EXPECT_FALSE(operandSlotOffsets(5, offsets));
    EXPECT_FALSE(operandSlotOffsets(81, offsets));
}

} // namespace
} // namespace qel
