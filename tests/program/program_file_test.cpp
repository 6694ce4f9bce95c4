#include "program/block_writer.h"
#include "program/program_file.h"
#include "support/file_bytes.h"
#include "support/recording_host.h"

#include <gtest/gtest.h>

#include <functional>

using namespace qel;
using qel::test::FileBytes;
using qel::test::RecordingHost;

namespace {

// Writes comment-only sections from `first` to the last.
FileBytes& commentSections(FileBytes& f, uint32_t first)
{
    for (uint32_t s = first; s < 5; ++s)
        f.commentSection(s, "x");
    return f;
}

FileBytes smallestFile(std::string_view version = "QEL 1.25")
{
    FileBytes f;
    f.text(version);
    const char* titles[] = {"Initialisation", "Paint event", "Keyboard handler", "Timer event", "Mouse handler"};
    for (uint32_t s = 0; s < 5; ++s)
        f.commentSection(s, titles[s]);
    return f;
}

// A file whose Initialisation section holds "Init" and then the lines `lines` writes.
std::vector<uint8_t> initFile(const std::function<void(FileBytes&)>& lines, std::string_view version = "QEL 1.25")
{
    FileBytes f;
    f.text(version).u32(0).line(3, "Init");
    lines(f);
    return commentSections(f.u32(99), 1).bytes;
}

// A Return line's block: one operand slot naming a variable, then a "value given" word.
std::vector<uint8_t> returnBody(uint32_t nameOffset = 52)
{
    BlockWriter w(48);
    w.setU32(4, nameOffset);
    w.setU32(36, 0xDEADBEEF); // a cache word: meaningless, but kept byte for byte
    w.setU32(48, 1);
    w.addText("Result");
    ParamBlock block = w.finish();
    return {block.body().begin(), block.body().end()};
}

struct ProgramFile : ::testing::Test {
    Program p;
    RecordingHost host;

    LoadResult load(const std::vector<uint8_t>& bytes, LegacyTextFileOpenConverter convert = {})
    {
        return loadProgram(p, bytes, host, convert);
    }
    // A new program and no messages, for a case of its own.
    void fresh()
    {
        p = Program();
        host.messages.clear();
    }
};

} // namespace

TEST_F(ProgramFile, TheSmallestFileAndOneWithLinesBlocksAndUnnamedBytesWriteBackByteForByte)
{
    auto bytes = smallestFile().bytes;
    EXPECT_EQ(load(bytes).status, ReadStatus::Ok);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(storeProgram(p).value(), bytes);
    EXPECT_EQ(storeProgram(Program()).value(), bytes); // a new program is that same file

    auto withBlocks = initFile(
        [](FileBytes& f) { f.line(0, "").line(28, "Return (Result)", returnBody()).line(53, "BreakOutOfLoop"); });
    ASSERT_EQ(load(withBlocks).status, ReadStatus::Ok);
    EXPECT_EQ(p.sections[0].lines.at(2).block.textField(4), "Result");
    EXPECT_EQ(storeProgram(p).value(), withBlocks);
}

TEST_F(ProgramFile, VersionLines)
{
    for (const char* accepted : {"QEL 1.10", "QEL 1.13", "QEL 1.24", "QEL Beta1a", "QEL e1.00"})
        EXPECT_EQ(load(smallestFile(accepted).bytes).status, ReadStatus::Ok) << accepted;

    for (const char* refused : {"qel 1.25", "QEL 1.26", "QEL 1.25 ", ""}) {
        fresh();
        p.sections[0].lines[0].text = "old";
        EXPECT_EQ(load(smallestFile(refused).bytes).status, ReadStatus::BadVersion) << refused;
        EXPECT_EQ(host.messages,
                  std::vector<test::RecordedMessage>(1, {"Corrupt, Obsolete or Non-QEL file.", Icon::Error}));
        EXPECT_EQ(p.sections[0].lines[0].text, "Initialisation"); // reset, not the old program
    }
}

TEST_F(ProgramFile, CarriageReturnLineEndsSectionNumbersAndTrailingBytesDoNotMatter)
{
    FileBytes crlf;
    crlf.text("QEL 1.25", "\r\n").u32(0).line(3, "Initialisation").u32(99);
    crlf.u32(1).u32(3).text("Paint event", "\r\n").u32(0).u32(99);
    ASSERT_EQ(load(commentSections(crlf, 2).bytes).status, ReadStatus::Ok);
    EXPECT_EQ(p.sections[1].lines[0].text, "Paint event");
    EXPECT_EQ(storeProgram(p).value()[8], 0x0A); // written with LF alone

    // A text with a line break would be read as a shorter text and a damaged block: never written.
    for (const char* broken : {"two\nlines", "two\rlines"}) {
        p.sections[kTimer].lines[0].text = broken;
        const Result<std::vector<uint8_t>> bytes = storeProgram(p);
        ASSERT_FALSE(bytes.ok()) << broken;
        EXPECT_EQ(bytes.failureText(), "A line break in the text of line 0 of the Timer section");
    }

    // Section numbers and trailing bytes are ignored.
    fresh();
    FileBytes f;
    f.text("QEL 1.25");
    for (uint32_t s = 0; s < 5; ++s)
        f.commentSection(77 + s, "t" + std::to_string(s));
    ASSERT_EQ(load(f.text("trailing garbage").bytes).status, ReadStatus::Ok);
    EXPECT_EQ(p.sections[3].lines[0].text, "t3");
}

TEST_F(ProgramFile, TraceLinesAreDroppedAutoRunIsHeldBackAndOldTextFileOpenLinesConvertedBefore114)
{
    ASSERT_EQ(load(initFile([](FileBytes& f) { f.line(56, "TraceOn").line(3, "kept").line(57, "TraceOff"); })).status,
              ReadStatus::Ok);
    EXPECT_EQ(host.messages, std::vector<test::RecordedMessage>(
                                 2, {"Trace On/Trace Off instruction found and ignored", Icon::Information})); // each
    ASSERT_EQ(p.sections[0].lineCount(), 2u);
    EXPECT_EQ(p.sections[0].lines[1].text, "kept");
    EXPECT_FALSE(load(smallestFile().bytes).autoRun);

    const auto autoRun = initFile([](FileBytes& f) { f.line(64, "AutoRun"); });
    EXPECT_TRUE(load(autoRun).autoRun);
    host.modifierHeld = true;
    EXPECT_FALSE(load(autoRun).autoRun);

    // The conversion itself is checked by the document's tests. A 1.14 file holds the current layout,
    // which is checked (this three-byte block is no valid one).
    const std::string old = "TextFileOpen ForRead F, \"a.txt\"";
    for (const char* version : {"QEL 1.13", "QEL 1.14"}) {
        std::vector<std::string> seen;
        LegacyTextFileOpenConverter convert = [&](Program& p, MessageHost& host) {
            seen.push_back(p.edit.text);
            p.edit.block = ParamBlock();
            return p.saveLine(host);
        };
        const auto bytes = initFile([&](FileBytes& f) { f.line(40, old, {1, 2, 3}); }, version);
        ASSERT_EQ(load(bytes, convert).status, ReadStatus::Ok);
        EXPECT_EQ(seen, std::vector<std::string>(version == std::string("QEL 1.13"), old)) << version;
    }
}

TEST_F(ProgramFile, DamagedBlocksRefuseTheFileNamingTheLineAndATruncatedFileLeavesNoHalfProgram)
{
    std::vector<uint8_t> noNul = returnBody();
    noNul.resize(54); // cuts "Result" before its NUL
    const std::pair<std::vector<uint8_t>, std::string_view> cases[] = {
        {returnBody(400), "refers outside itself"},
        {noNul, "refers outside itself"},
        {std::vector<uint8_t>(1022, 0), "longer than 1,021 bytes"},
    };
    for (const auto& [body, why] : cases) {
        fresh();
        FileBytes f;
        f.text("QEL 1.25").u32(0).line(3, "Init").u32(99);
        f.u32(1).line(3, "Paint").line(3, "x").line(28, "Return", body).u32(99);
        EXPECT_EQ(load(commentSections(f, 2).bytes).status, ReadStatus::Corrupt) << why;
        ASSERT_EQ(host.messages.size(), 1u) << why;
        EXPECT_NE(host.messages[0].text.find("Line 2 of the Paint section"), std::string::npos)
            << host.messages[0].text;
        EXPECT_NE(host.messages[0].text.find(why), std::string::npos) << host.messages[0].text;
        EXPECT_EQ(p.totalLines(), 5u) << why; // a new empty program
    }

    fresh();
    FileBytes huge;
    huge.text("QEL 1.25").u32(0).line(3, "Init").u32(28).text("Return").u32(0x7FFFFFFF).u32(0);
    EXPECT_EQ(load(huge.bytes).status, ReadStatus::Corrupt);
    EXPECT_NE(host.messages[0].text.find("longer than the rest of the file"), std::string::npos);

    FileBytes longText;
    longText.text("QEL 1.25").u32(0).line(3, std::string(1025, 'a'));
    EXPECT_EQ(load(longText.bytes).status, ReadStatus::Corrupt);

    // A truncated file leaves no half program.
    auto bytes = smallestFile().bytes;
    for (size_t cut : {size_t(9), size_t(20), bytes.size() - 1}) {
        fresh();
        p.sections[4].lines[0].text = "previous";
        EXPECT_EQ(load(std::vector<uint8_t>(bytes.begin(), bytes.begin() + cut)).status, ReadStatus::Truncated) << cut;
        ASSERT_EQ(host.messages.size(), 1u);
        EXPECT_NE(host.messages[0].text.find("ends inside the"), std::string::npos);
        EXPECT_EQ(p.sections[4].lines[0].text, "Mouse handler");
    }
}

// qeltool's scan of the line types: every type in file order, stopping when asked; a cut or
// over-long file anywhere is refused without reading past its end.
TEST_F(ProgramFile, TheScanOfLineTypesVisitsEachLineAndRefusesACutFile)
{
    FileBytes f;
    f.text("QEL 1.25").u32(0).line(3, "Init").line(28, "Return", returnBody()).u32(99);
    f.u32(1).line(3, "Paint").line(36, "x").u32(99);
    const std::vector<uint8_t> bytes = commentSections(f, 2).bytes;
    std::vector<uint32_t> types;
    EXPECT_TRUE(scanLineTypes(bytes, [&types](uint32_t type) {
        types.push_back(type);
        return true;
    }));
    EXPECT_EQ(types, (std::vector<uint32_t>{3, 28, 3, 36, 3, 3, 3}));
    types.clear();
    EXPECT_TRUE(scanLineTypes(bytes, [&types](uint32_t type) {
        types.push_back(type);
        return type != 28;
    }));
    EXPECT_EQ(types, (std::vector<uint32_t>{3, 28}));
    for (size_t cut = 0; cut < bytes.size(); ++cut)
        EXPECT_FALSE(scanLineTypes(std::span(bytes.data(), cut), [](uint32_t) { return true; })) << cut;
    FileBytes huge;
    huge.text("QEL 1.25").u32(0).line(3, "Init").u32(28).text("Return").u32(0x7FFFFFFF).u32(0);
    EXPECT_FALSE(scanLineTypes(huge.bytes, [](uint32_t) { return true; }));
}
