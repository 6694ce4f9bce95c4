#include "program/block_writer.h"
#include "values/classify_field.h"
#include "values/number_text.h"

#include <gtest/gtest.h>

namespace qel {
namespace {

// One member of each field's classification, in the fields' order.
template <class T>
std::vector<T> each(T ClassifiedField::*member, std::initializer_list<std::string_view> fields)
{
    std::vector<T> out;
    for (std::string_view field : fields)
        out.push_back(classifyField(field).*member);
    return out;
}

TEST(ClassifyField, LiteralsEmptyFieldsVariableReferencesAndTheirSlotsRoundTrip)
{
    using enum OperandClass;
    EXPECT_EQ(each(&ClassifiedField::kind, {"12", "12.0", "1e5", "   ", "\"\"", "\"12\"", "e5", "\"abc"}),
              (std::vector{Integer, Floating, Floating, Empty, String, String, Variable, Invalid})); // e5: a name
    // Integer literals pass through a 32-bit float: exact up to 2^24, rounded beyond.
    EXPECT_EQ(each(&ClassifiedField::number, {"12", "  -7  ", "16777216", "-16777215", "16777217", "1e5"}),
              (std::vector<float>{12, -7, 16777216, -16777215, 16777216, 100000}));
    auto quoted = classifyField("\"12\"");
    EXPECT_EQ(quoted.text, "12");
    EXPECT_EQ(quoted.stringAreaBytes(), 3u);

    // Variable references; A(-1) is refused only when it runs.
    const std::initializer_list<std::string_view> refs = {"Count", "A(I)", "A( I , 2 )", "A   (  +3 )", "A(-1)"};
    EXPECT_EQ(each(&ClassifiedField::kind, refs), std::vector<OperandClass>(5, OperandClass::Variable));
    EXPECT_EQ(each(&ClassifiedField::arrayKind, refs), (std::vector<uint32_t>{1, 2, 3, 2, 2}));
    // The name and subscripts as the line's text shows them.
    std::vector<std::string> shown;
    for (std::string_view ref : refs)
        shown.push_back(formatReference(asOperand(classifyField(ref)), kGeneralPrecision));
    EXPECT_EQ(shown, (std::vector<std::string>{"Count", "A(I)", "A(I,2)", "A(3)", "A(-1)"}));
    EXPECT_EQ(classifyField("A( I , 2 )").stringAreaBytes(), 4u);

    EXPECT_EQ(classifyField(std::string(20, 'x')).kind, OperandClass::Variable);
    for (const char* invalid : {"A(I,2", "A(I J)", "A B", "A(1.5)", "A(,)", "A()", "A(1,2,3)", "A(I)(J)", "1A", "A*B",
                                "A(I,)", "(I)", "A)I(", "abcdefghijklmnopqrstu", "A(\"x\")"})
        EXPECT_EQ(classifyField(invalid).kind, OperandClass::Invalid) << invalid;

    // Written into slots with their texts in the string area, the fields read back.
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

    // Texts go front to back: the name first, right after the fixed part; the cache words start 0.
    EXPECT_EQ(block.u32(4), 4 + kSlots * 44);
    EXPECT_EQ(block.u32(4 + 16), 4 + kSlots * 44 + 2);
    for (uint32_t j = 0; j < kSlots; ++j)
        for (uint32_t cache = 32; cache < 44; cache += 4)
            EXPECT_EQ(block.u32(4 + 44 * j + cache), 0u);

    // Each slot read back (4000: past the block's end, an empty field), in full and as an optional
    // reference: an empty field or a literal 0 reads as none.
    std::vector<std::string> full, optional;
    for (uint32_t offset : {4u, 48u, 92u, 136u, 180u, 4000u}) {
        full.push_back(formatReference(readOperand(block, offset), kGeneralPrecision));
        optional.push_back(formatOptionalReference(readOperand(block, offset)));
    }
    EXPECT_EQ(full, (std::vector<std::string>{"M(Row,2)", "\"hello\"", "12.5", "0", "Total", "0"}));
    EXPECT_EQ(optional, (std::vector<std::string>{"M(Row,2)", "\"hello\"", "", "", "Total", ""}));
    EXPECT_TRUE(readOperand(block, 4).hasSub1Name);
    EXPECT_FALSE(readOperand(block, 4).hasSub2Name);

    BlockWriter empty(44); // an empty string literal is still a string
    writeOperand(empty, 4, classifyField("\"\""));
    EXPECT_EQ(formatOptionalReference(readOperand(empty.finish(), 4)), "\"\"");
    EXPECT_EQ(formatReference(asOperand(classifyField("A(1,J)")), kGeneralPrecision), "A(1,J)");
}

} // namespace
} // namespace qel
