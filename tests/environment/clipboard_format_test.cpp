// The clipboard item of copied lines: its exact bytes, and the refusal of every damaged item.
#include "environment/clipboard_format.h"
#include "program/instruction_table.h"
#include "support/program_builder.h"

#include <gtest/gtest.h>

#include <cstring>

namespace qel {
namespace {

std::vector<uint8_t> u32(uint32_t v)
{
    std::vector<uint8_t> b(4);
    std::memcpy(b.data(), &v, 4);
    return b;
}

std::vector<uint8_t> operator+(std::vector<uint8_t> a, const std::vector<uint8_t>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

std::vector<uint8_t> bytes(std::string_view s) { return std::vector<uint8_t>(s.begin(), s.end()); }

// A comment, a blank line and a Let line, built as the dialogs build them.
std::vector<ProgramLine> sampleLines()
{
    Program program;
    VariableTable variables;
    test::ProgramBuilder(program, variables)
        .add("DeclareVariable", test::variableFields("String", "S", "\"x\""))
        .add("Let", test::letFields("S", "\"hello\""));
    program.insertBlankAfter(0);
    const auto& lines = program.sections[0].lines;
    return {lines[0], lines[1], lines[3]};
}

TEST(ClipboardFormat, ItemBytesAreCountThenTextTypeAndBlockPerLine)
{
    std::vector<ProgramLine> lines(2);
    lines[0] = {kComment, "Hi", ParamBlock()};
    lines[1] = {kStop, "Stop", ParamBlock::fromBody(std::vector<uint8_t>{7, 8})};
    const std::vector<uint8_t> expected = u32(2) + bytes(std::string_view("Hi\0", 3)) + u32(kComment) + u32(0) +
                                          bytes(std::string_view("Stop\0", 5)) + u32(kStop) + u32(2) +
                                          std::vector<uint8_t>{7, 8};
    EXPECT_EQ(encodeClipboardLines(lines), expected);
}

TEST(ClipboardFormat, LinesComeBackAsTheyWent)
{
    const std::vector<ProgramLine> lines = sampleLines();
    const std::vector<uint8_t> item = encodeClipboardLines(lines);
    size_t size = 4;
    for (const ProgramLine& line : lines)
        size += line.text.size() + 1 + line.block.bodyLength() + 8;
    EXPECT_EQ(item.size(), size);

    ClipboardDecode back = decodeClipboardLines(item);
    ASSERT_TRUE(back.ok()) << back.error;
    ASSERT_EQ(back.lines.size(), 3u);
    for (size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(back.lines[i].type, lines[i].type);
        EXPECT_EQ(back.lines[i].text, lines[i].text);
        EXPECT_EQ(back.lines[i].block, lines[i].block);
    }
    EXPECT_EQ(back.lines[2].block.textField(8), "S"); // the Let's references still resolve

    // Bytes after the last line are left alone.
    EXPECT_TRUE(decodeClipboardLines(item + std::vector<uint8_t>(16, 0xEE)).ok());
}

TEST(ClipboardFormat, EveryCutShortItemIsRefused)
{
    const std::vector<uint8_t> item = encodeClipboardLines(sampleLines());
    for (size_t n = 0; n < item.size(); ++n) {
        ClipboardDecode d = decodeClipboardLines(std::span(item).first(n));
        EXPECT_FALSE(d.ok()) << n;
        EXPECT_TRUE(d.lines.empty()) << n;
    }
}

TEST(ClipboardFormat, DamagedItemsAreRefused)
{
    const auto line = [](std::string_view text, uint32_t type, std::vector<uint8_t> body) {
        std::vector<uint8_t> t = bytes(text);
        t.push_back(0);
        return t + u32(type) + u32(static_cast<uint32_t>(body.size())) + body;
    };
    const std::vector<uint8_t> good = line("Stop", kStop, {});
    ASSERT_TRUE(decodeClipboardLines(u32(1) + good).ok());

    // Line counts of 0 and above 999.
    EXPECT_FALSE(decodeClipboardLines(u32(0)).ok());
    EXPECT_FALSE(decodeClipboardLines(u32(1000) + good).ok());
    // More lines announced than present.
    EXPECT_FALSE(decodeClipboardLines(u32(2) + good).ok());
    // A text that runs to the end without its NUL.
    EXPECT_FALSE(decodeClipboardLines(u32(1) + bytes("Stop")).ok());
    // A text longer than a line holds.
    EXPECT_FALSE(decodeClipboardLines(u32(1) + line(std::string(1025, 'a'), kComment, {})).ok());
    // A block length far beyond the item, and one beyond the largest block.
    EXPECT_FALSE(decodeClipboardLines(u32(1) + bytes(std::string_view("a\0", 2)) + u32(kComment) + u32(0xFFFFFFF0)).ok());
    EXPECT_FALSE(decodeClipboardLines(u32(1) + line("a", kComment, std::vector<uint8_t>(1022))).ok());
    // Type codes with no instruction.
    EXPECT_FALSE(decodeClipboardLines(u32(1) + line("a", 5, {})).ok());
    EXPECT_FALSE(decodeClipboardLines(u32(1) + line("a", 200, {})).ok());
    // A Call line whose first reference points outside its block, and one whose text has no NUL.
    std::vector<uint8_t> call(4 * kOperandSize, 0);
    std::memcpy(call.data(), u32(5000).data(), 4);
    EXPECT_FALSE(decodeClipboardLines(u32(1) + line("Call", kCall, call)).ok());
    std::memcpy(call.data(), u32(static_cast<uint32_t>(4 + call.size() - 1)).data(), 4); // the block's last byte
    call.back() = 'x';
    EXPECT_FALSE(decodeClipboardLines(u32(1) + line("Call", kCall, call)).ok());
    call.back() = 0;
    EXPECT_TRUE(decodeClipboardLines(u32(1) + line("Call", kCall, call)).ok());
}

} // namespace
} // namespace qel
