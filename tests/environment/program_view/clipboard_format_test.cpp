// The clipboard item of copied lines: its exact bytes, and the refusal of every damaged item.
#include "environment/program_view/clipboard_format.h"
#include "program/instruction_table.h"
#include "support/program_builder.h"

#include <gtest/gtest.h>

#include <cstring>

namespace qel {
namespace {

using Bytes = std::vector<uint8_t>;

Bytes u32(uint32_t v)
{
    Bytes b(4);
    std::memcpy(b.data(), &v, 4);
    return b;
}

Bytes operator+(Bytes a, const Bytes& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

Bytes bytes(std::string_view s) { return Bytes(s.begin(), s.end()); }

// One line of an item: its text and NUL, type code, block body length, block body.
Bytes line(std::string_view text, uint32_t type, const Bytes& body)
{
    return bytes(text) + Bytes{0} + u32(type) + u32(static_cast<uint32_t>(body.size())) + body;
}

TEST(ClipboardFormat, ItemBytesAreCountThenLinesWhichComeBackAsTheyWentAndEveryCutShortItemIsRefused)
{
    const std::vector<ProgramLine> two = {{kComment, "Hi", ParamBlock()},
                                          {kStop, "Stop", ParamBlock::fromBody(Bytes{7, 8})}};
    EXPECT_EQ(encodeClipboardLines(two), u32(2) + line("Hi", kComment, {}) + line("Stop", kStop, {7, 8}));

    // A comment, a blank line and a Let line, built as the dialogs build them.
    Program program;
    VariableTable variables;
    test::ProgramBuilder(program, variables)
        .add("DeclareVariable", test::variableFields("String", "S", "\"x\""))
        .add("Let", test::letFields("S", "\"hello\""));
    program.insertBlankAfter(kInitialise, 0);
    const auto& all = program.sections[0].lines;
    const std::vector<ProgramLine> lines = {all[0], all[1], all[3]};

    const Bytes item = encodeClipboardLines(lines);
    ClipboardDecode back = decodeClipboardLines(item);
    ASSERT_TRUE(back.ok()) << back.error;
    ASSERT_EQ(back.lines.size(), 3u);
    for (size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(back.lines[i].type, lines[i].type);
        EXPECT_EQ(back.lines[i].text, lines[i].text);
        EXPECT_EQ(back.lines[i].block, lines[i].block);
    }
    EXPECT_EQ(back.lines[2].block.textField(8), "S");               // the Let's references still resolve
    EXPECT_TRUE(decodeClipboardLines(item + Bytes(16, 0xEE)).ok()); // bytes after the last line are left alone

    for (size_t n = 0; n < item.size(); ++n) {
        ClipboardDecode d = decodeClipboardLines(std::span(item).first(n));
        EXPECT_FALSE(d.ok()) << n;
        EXPECT_TRUE(d.lines.empty()) << n;
    }
}

TEST(ClipboardFormat, DamagedItemsAreRefused)
{
    const Bytes good = line("Stop", kStop, {});
    ASSERT_TRUE(decodeClipboardLines(u32(1) + good).ok());
    // A Call line's block: its first reference, then the rest of its operands, the last byte given.
    const auto call = [](uint32_t reference, uint8_t last) {
        Bytes body = u32(reference) + Bytes(4 * kOperandSize - 4, 0);
        body.back() = last;
        return u32(1) + line("Call", kCall, body);
    };
    const uint32_t lastByte = 4 + 4 * kOperandSize - 1; // references count from the length word
    ASSERT_TRUE(decodeClipboardLines(call(lastByte, 0)).ok());

    const std::pair<const char*, Bytes> damaged[] = {
        {"no lines", u32(0)},
        {"1000 lines", u32(1000) + good},
        {"more lines announced than present", u32(2) + good},
        {"a text without its NUL", u32(1) + bytes("Stop")},
        {"a text longer than a line holds", u32(1) + line(std::string(1025, 'a'), kComment, {})},
        {"a block length far beyond the item", u32(1) + bytes("a") + Bytes{0} + u32(kComment) + u32(0xFFFFFFF0)},
        {"a block beyond the largest", u32(1) + line("a", kComment, Bytes(1022))},
        {"type code 5, no instruction", u32(1) + line("a", 5, {})},
        {"type code 200, no instruction", u32(1) + line("a", 200, {})},
        {"a Call reference outside its block", call(5000, 0)},
        {"a Call text with no NUL before the block ends", call(lastByte, 'x')},
    };
    for (const auto& [what, item] : damaged) {
        ClipboardDecode d = decodeClipboardLines(item);
        EXPECT_FALSE(d.ok()) << what;
        EXPECT_TRUE(d.lines.empty()) << what;
    }
}

} // namespace
} // namespace qel
