#include "program/block_writer.h"
#include "program/program_file.h"
#include "support/file_bytes.h"
#include "support/recording_host.h"

#include <gtest/gtest.h>

using namespace qel;
using qel::test::FileBytes;
using qel::test::RecordingHost;

namespace {

FileBytes smallestFile(std::string_view version = "QEL 1.25")
{
    FileBytes f;
    f.text(version);
    const char* titles[] = {"Initialisation", "Paint event", "Keyboard handler", "Timer event", "Mouse handler"};
    for (uint32_t s = 0; s < 5; ++s)
        f.commentSection(s, titles[s]);
    return f;
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

LoadResult load(Program& p, const std::vector<uint8_t>& bytes, RecordingHost& host,
                LegacyTextFileOpenConverter convert = {})
{
    return loadProgram(p, bytes, host, convert);
}

} // namespace

TEST(ProgramFile, SmallestFileReadsAndWritesBackByteForByte)
{
    Program p;
    RecordingHost host;
    auto bytes = smallestFile().bytes;
    LoadResult r = load(p, bytes, host);
    EXPECT_EQ(r.status, ReadStatus::Ok);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(storeProgram(p), bytes);
    EXPECT_EQ(storeProgram(Program()), bytes); // a new program is that same file
}

TEST(ProgramFile, LinesBlocksAndUnnamedBytesSurviveARoundTrip)
{
    FileBytes f;
    f.text("QEL 1.25").u32(0).line(3, "Initialisation").line(0, "").line(28, "Return (Result)", returnBody());
    f.line(53, "BreakOutOfLoop").u32(99);
    for (uint32_t s = 1; s < 5; ++s)
        f.commentSection(s, "x");
    Program p;
    RecordingHost host;
    ASSERT_EQ(load(p, f.bytes, host).status, ReadStatus::Ok);
    ASSERT_EQ(p.sections[0].lineCount(), 4u);
    EXPECT_EQ(p.sections[0].lines[1].type, 0u); // a blank line stays blank
    EXPECT_EQ(p.sections[0].lines[1].text, "");
    EXPECT_TRUE(p.sections[0].lines[1].block.isEmpty());
    EXPECT_EQ(p.sections[0].lines[2].block.textField(4), "Result");
    EXPECT_EQ(storeProgram(p), f.bytes);
}

TEST(ProgramFile, VersionLines)
{
    for (const char* accepted : {"QEL 1.10", "QEL 1.13", "QEL 1.24", "QEL Beta1a", "QEL e1.00"}) {
        Program p;
        RecordingHost host;
        EXPECT_EQ(load(p, smallestFile(accepted).bytes, host).status, ReadStatus::Ok) << accepted;
    }
    EXPECT_EQ(parseVersion("QEL 1.10").minor, 10);
    EXPECT_EQ(parseVersion("QEL 1.25").major, 1);
    EXPECT_EQ(parseVersion("QEL Beta1a").minor, 0);

    for (const char* refused : {"qel 1.25", "QEL 1.26", "QEL 1.25 ", ""}) {
        Program p;
        p.sections[0].lines[0].text = "old";
        RecordingHost host;
        EXPECT_EQ(load(p, smallestFile(refused).bytes, host).status, ReadStatus::BadVersion) << refused;
        ASSERT_EQ(host.messages.size(), 1u);
        EXPECT_EQ(host.messages[0], (test::RecordedMessage{"Corrupt, Obsolete or Non-QEL file.", Icon::Error}));
        EXPECT_EQ(p.sections[0].lines[0].text, "Initialisation"); // reset, not the old program
    }
}

TEST(ProgramFile, CarriageReturnLineEndsReadTheSame)
{
    FileBytes crlf;
    crlf.text("QEL 1.25", "\r\n").u32(0).line(3, "Initialisation").u32(99);
    crlf.u32(1);
    crlf.u32(3).text("Paint event", "\r\n").u32(0).u32(99);
    for (uint32_t s = 2; s < 5; ++s)
        crlf.commentSection(s, "x");
    Program p;
    RecordingHost host;
    ASSERT_EQ(load(p, crlf.bytes, host).status, ReadStatus::Ok);
    EXPECT_EQ(p.sections[1].lines[0].text, "Paint event");
    EXPECT_EQ(storeProgram(p)[8], 0x0A); // written with LF alone
}

TEST(ProgramFile, TraceLinesAreDroppedWithOneMessageEach)
{
    FileBytes f;
    f.text("QEL 1.25").u32(0).line(3, "Init").line(56, "TraceOn").line(3, "kept").line(57, "TraceOff").u32(99);
    for (uint32_t s = 1; s < 5; ++s)
        f.commentSection(s, "x");
    Program p;
    RecordingHost host;
    ASSERT_EQ(load(p, f.bytes, host).status, ReadStatus::Ok);
    ASSERT_EQ(host.messages.size(), 2u);
    EXPECT_EQ(host.messages[0], (test::RecordedMessage{"Trace On/Trace Off instruction found and ignored", Icon::Information}));
    ASSERT_EQ(p.sections[0].lineCount(), 2u);
    EXPECT_EQ(p.sections[0].lines[1].text, "kept");
}

TEST(ProgramFile, AutoRunFlagUnlessCtrlOrShiftIsHeld)
{
    FileBytes f;
    f.text("QEL 1.25").u32(0).line(3, "Init").line(64, "AutoRun").u32(99);
    for (uint32_t s = 1; s < 5; ++s)
        f.commentSection(s, "x");
    Program p;
    RecordingHost host;
    EXPECT_TRUE(load(p, f.bytes, host).autoRun);
    host.modifierHeld = true;
    EXPECT_FALSE(load(p, f.bytes, host).autoRun);
    EXPECT_FALSE(load(p, smallestFile().bytes, host).autoRun);
}

TEST(ProgramFile, OldTextFileOpenLinesAreConvertedOnlyBefore114)
{
    auto file = [](std::string_view version) {
        FileBytes f;
        f.text(version).u32(0).line(3, "Init").line(40, "TextFileOpen ForRead F, \"a.txt\"", {1, 2, 3}).u32(99);
        for (uint32_t s = 1; s < 5; ++s)
            f.commentSection(s, "x");
        return f.bytes;
    };
    std::vector<std::string> seen;
    LegacyTextFileOpenConverter convert = [&](Program& p, MessageHost& host) {
        seen.push_back(p.edit.text);
        p.edit.text = "converted";
        p.edit.block = ParamBlock();
        return p.saveLine(host);
    };
    Program p;
    RecordingHost host;
    ASSERT_EQ(load(p, file("QEL 1.13"), host, convert).status, ReadStatus::Ok);
    EXPECT_EQ(seen, (std::vector<std::string>{"TextFileOpen ForRead F, \"a.txt\""}));
    EXPECT_EQ(p.sections[0].lines[1].text, "converted");

    seen.clear();
    // A 1.14 file holds the current layout, which is checked (this three-byte block is no valid one).
    ASSERT_EQ(load(p, file("QEL 1.14"), host, convert).status, ReadStatus::Ok);
    EXPECT_TRUE(seen.empty());
    EXPECT_EQ(p.sections[0].lines[1].text, "TextFileOpen ForRead F, \"a.txt\"");
}

TEST(ProgramFile, DamagedBlocksRefuseTheFileNamingTheLine)
{
    struct Case {
        const char* what;
        std::vector<uint8_t> body;
        std::string_view why;
    };
    std::vector<uint8_t> noNul = returnBody();
    noNul.resize(54); // cuts "Result" before its NUL
    std::vector<Case> cases = {
        {"reference outside", returnBody(400), "refers outside itself"},
        {"text without NUL", noNul, "refers outside itself"},
        {"body too long", std::vector<uint8_t>(1022, 0), "longer than 1,021 bytes"},
    };
    for (const Case& c : cases) {
        FileBytes f;
        f.text("QEL 1.25").u32(0).line(3, "Init").u32(99).u32(1).line(3, "Paint").line(3, "x").line(28, "Return", c.body).u32(99);
        for (uint32_t s = 2; s < 5; ++s)
            f.commentSection(s, "x");
        Program p;
        RecordingHost host;
        EXPECT_EQ(load(p, f.bytes, host).status, ReadStatus::Corrupt) << c.what;
        ASSERT_EQ(host.messages.size(), 1u) << c.what;
        EXPECT_NE(host.messages[0].text.find("Line 2 of the Paint section"), std::string::npos) << host.messages[0].text;
        EXPECT_NE(host.messages[0].text.find(c.why), std::string::npos) << host.messages[0].text;
        EXPECT_EQ(p.totalLines(), 5u) << c.what; // a new empty program
    }

    FileBytes huge;
    huge.text("QEL 1.25").u32(0).line(3, "Init").u32(28).text("Return").u32(0x7FFFFFFF).u32(0);
    Program p;
    RecordingHost host;
    EXPECT_EQ(load(p, huge.bytes, host).status, ReadStatus::Corrupt);
    EXPECT_NE(host.messages[0].text.find("longer than the rest of the file"), std::string::npos);

    FileBytes longText;
    longText.text("QEL 1.25").u32(0).line(3, std::string(1025, 'a'));
    EXPECT_EQ(load(p, longText.bytes, host).status, ReadStatus::Corrupt);
}

TEST(ProgramFile, TruncatedFileLeavesNoHalfProgram)
{
    auto bytes = smallestFile().bytes;
    for (size_t cut : {size_t(9), size_t(20), bytes.size() - 1}) {
        Program p;
        p.sections[4].lines[0].text = "previous";
        RecordingHost host;
        std::vector<uint8_t> part(bytes.begin(), bytes.begin() + cut);
        EXPECT_EQ(load(p, part, host).status, ReadStatus::Truncated) << cut;
        ASSERT_EQ(host.messages.size(), 1u);
        EXPECT_EQ(host.messages[0].icon, Icon::Error);
        EXPECT_NE(host.messages[0].text.find("ends inside the"), std::string::npos);
        EXPECT_EQ(p.sections[0].lines[0].text, "Initialisation");
        EXPECT_EQ(p.sections[4].lines[0].text, "Mouse handler");
    }
}

TEST(ProgramFile, SectionNumbersAndTrailingBytesAreIgnored)
{
    FileBytes f;
    f.text("QEL 1.25");
    for (uint32_t s = 0; s < 5; ++s)
        f.commentSection(77 + s, "t" + std::to_string(s));
    f.text("trailing garbage");
    Program p;
    RecordingHost host;
    ASSERT_EQ(load(p, f.bytes, host).status, ReadStatus::Ok);
    EXPECT_EQ(p.sections[3].lines[0].text, "t3");
}

TEST(ProgramFile, AtomicWriteReplacesTheFileAndLeavesNoTemporary)
{
    std::string path = ::testing::TempDir() + "atomic.qel";
    auto bytes = smallestFile().bytes;
    ASSERT_TRUE(writeFileAtomically(path, std::vector<uint8_t>{1, 2, 3}));
    ASSERT_TRUE(writeFileAtomically(path, bytes));
    std::vector<uint8_t> back;
    ASSERT_TRUE(readWholeFile(path, back));
    EXPECT_EQ(back, bytes);
    std::vector<uint8_t> none;
    EXPECT_FALSE(readWholeFile(path + ".saving~", none));
    EXPECT_FALSE(writeFileAtomically("/nonexistent-dir/x.qel", bytes));
}
