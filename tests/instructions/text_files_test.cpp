// The text-file instructions run: the bytes they write, what reading gives back, the checks they
// make, and that every end of a run leaves each file closed and complete.

#include "instruction_checks.h"
#include "instructions/files/text_file_instructions.h"
#include "interpreter/text_files.h"
#include "messages/run_errors.h"
#include "support/temp_files.h"

#include <csignal>
#include <sys/resource.h>

using namespace qel;
using namespace qel::test;

namespace {

Line write(std::string file, std::string value, bool comma, bool quotes, bool newLine)
{
    return line("TextFileWrite", {file, value, comma ? "1" : "", quotes ? "1" : "", newLine ? "1" : ""});
}

// The first `count` texts of an array.
Texts elements(const Session& s, std::string_view name, size_t count)
{
    const VariableRecord* v = s.variables.findVariable(name);
    Texts out;
    for (size_t k = 0; k < count; ++k)
        out.emplace_back(v && k < v->texts.size() ? v->textAt(k) : "<none>");
    return out;
}

struct TextFiles : RunFixture {
    std::string dir = makeTempFolder();
    std::string path(const std::string& name) const { return dir + "/" + name; }
    Line open(const std::string& file, const std::string& name, bool reading) const
    {
        return line("TextFileOpen", {file, stringLiteral(path(name)), reading ? "1" : "", reading ? "" : "1"});
    }
};

} // namespace

TEST_F(TextFiles, WritesCsvWithCrLfAndSplitReadsGiveTheFieldsBack)
{
    handlers();
    add(build,
        {declare("File", {"F"}), declare("Floating Point", {"X=2.71828"}), declare("Integer", {"N=0", "Big=-16777217"}),
         declareArray("String", "Fields", 4), open("F", "out.csv", false), write("F", "3", true, false, false),
         write("F", "\"ab\"", true, true, false), write("F", "4.5", false, false, true),
         write("F", "X", true, false, false), // shown with 4 decimals
         write("F", "Big", false, false, true), line("TextFileClose", {"F"}), open("F", "out.csv", true),
         line("TextFileRead", {"F", "Fields", "1", "N"})});
    ASSERT_TRUE(startsCleanly(*this));
    EXPECT_EQ(readBytes(path("out.csv")), "3,\"ab\",4.5\r\n2.7183,-16777217\r\n");
    EXPECT_EQ(number("N"), 3.0f);
    EXPECT_EQ(elements(*this, "Fields", 3), (Texts{"3", "\"ab\"", "4.5"})); // quotes kept
}

TEST_F(TextFiles, SplitKeepsQuotedCommasAndEmptyFieldsAndStopsBeyondTheArray)
{
    writeBytes(path("in.csv"), "a,\"x, y\",,\r\n\r\n1,2,3,4,5\n");
    handlers();
    add(build, {declare("File", {"F"}), declare("Integer", {"N1=0", "N2=0", "N3=-1"}), declareArray("String", "A", 4),
                declareArray("String", "B", 4), declareArray("String", "C", 4), open("F", "in.csv", true),
                line("TextFileRead", {"F", "A", "1", "N1"}), line("TextFileRead", {"F", "B", "1", "N2"}),
                line("TextFileRead", {"F", "C", "1", "N3"})});
    start();
    expectFailedAt(*this, runErrorText("1st Subscript out of range - C"), 9);
    EXPECT_EQ(number("N1"), 4.0f);
    EXPECT_EQ(elements(*this, "A", 4), (Texts{"a", "\"x, y\"", "", ""}));
    EXPECT_EQ(number("N2"), 1.0f); // an empty line is one empty field
    EXPECT_EQ(elements(*this, "B", 1), Texts{""});
    EXPECT_EQ(elements(*this, "C", 4)[3], "4"); // the fields before the one that did not fit are stored
    EXPECT_EQ(number("N3"), -1.0f);             // and the count is not
}

// Read, test, then use: every line comes back whole, however long and whether or not it ends with a
// line end, and a read past the end changes nothing.
TEST_F(TextFiles, ReadingLosesNoCharacterAndTheEndHoldsOnceAReadFindsNothing)
{
    const std::string longLine(2500, 'x');
    writeBytes(path("in.txt"), "first\r\nsecond\n" + longLine + "\r\na\rb\nlast");
    handlers();
    add(build, {declare("File", {"F"}), declare("String", {"L=\"\""}), declare("Integer", {"K=0", "Done=0"}),
                declareArray("String", "Lines", 6), open("F", "in.txt", true), line("While", {"Done", "Equal", "0"}),
                line("TextFileRead", {"F", "L", "", ""}), line("If", ifFields("F", ".AtEndOfFile", "")),
                line("Let", letFields("Done", "1")), line("Else"), line("Let", letFields("K", "K", "+", "1")),
                line("Let", letFields("Lines(K)", "L")), line("EndIf"), line("EndWhile"),
                line("TextFileRead", {"F", "L", "", ""})}); // past the end again: no error, nothing changes
    ASSERT_TRUE(startsCleanly(*this));
    EXPECT_EQ(number("K"), 5.0f);
    EXPECT_EQ(elements(*this, "Lines", 5), (Texts{"first", "second", longLine, "a\rb", "last"}));
    EXPECT_EQ(text("L"), "last");
}

// Each program stops its run with its message and leaves no file open.
TEST_F(TextFiles, OperandChecksAndOpenFailuresStopTheRunWithTheirMessages)
{
    mkdir(path("folder").c_str(), 0755);
    writeBytes(path("there.txt"), "x\n");
    const Line readThere = open("F", "there.txt", true);
    const std::string notOpen = "No file is open for this variable - F";
    const std::vector<std::pair<Lines, std::string>> cases = {
        {{line("TextFileClose", {"Nowhere"})}, "Reference to undeclared variable - Nowhere"},
        {{line("TextFileRead", {"S", "S", "", ""})}, "Expecting variable of type File but found variable - S"},
        {{line("TextFileRead", {"F", "S", "", ""})}, notOpen},
        {{write("F", "1", false, false, true)}, notOpen},
        {{line("TextFileClose", {"F"})}, notOpen},
        {{open("F", "folder", true)}, "Unable to open the file specified."},
        {{open("F", "folder", false)}, "Unable to open the file specified."},
        {{line("TextFileOpen", {"F", "Empty", "1", ""})}, "Filename is an empty string - Empty"},
        {{line("TextFileOpen", {"F", "N", "1", ""})}, "Expected a string literal or string variable - N"},
        {{readThere, readThere}, "A file is already open for this variable - F"},
        {{readThere, line("TextFileRead", {"F", "N", "", ""})}, "Expecting string variable but found variable - N"},
        {{readThere, line("TextFileRead", {"F", "S", "1", "N"})}, "Expecting a 1 dimension string variable - S"},
        {{open("F", "there.txt", false), write("F", "F", false, false, false)},
         "Expecting numeric or string variable but found variable - F"},
    };
    for (const auto& [lines, error] : cases) {
        const CaseRun run(
            Lines{declare("File", {"F"}), declare("String", {"S=\"\"", "Empty=\"\""}), declare("Integer", {"N=0"})} +
            lines);
        EXPECT_EQ(run.errors(), Texts{runErrorText(error)});
        EXPECT_EQ(run.in->openFiles().size(), 0u) << error;
    }
}

// A run stopped by an error in the middle of writing leaves the file complete and closed, and the
// next run starts with no file open; a write the disk refuses stops the run instead of losing data
// quietly.
TEST_F(TextFiles, EveryEndOfARunLeavesFilesCompleteAndAFailedWriteIsReported)
{
    handlers();
    add(build, {declare("File", {"F"}), declare("Integer", {"I=0", "Zero=0"}), open("F", "log.txt", false),
                line("For", forFields("I", "1", "20000")), write("F", "I", false, false, true), line("Next"),
                line("Let", letFields("I", "1", "/", "Zero"))}); // an integer overflow stops the run
    start();
    ASSERT_EQ(errors().size(), 1u);
    const std::string written = readBytes(path("log.txt"));
    EXPECT_EQ(written.size(), 9 * 3 + 90 * 4 + 900 * 5 + 9000 * 6 + 10001 * 7);
    EXPECT_EQ(written.substr(written.size() - 7), "20000\r\n");
    EXPECT_EQ(in->openFiles().size(), 0u);

    // The same program again, with a file size limit that stops the writes part way.
    struct rlimit saved {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = saved;
    small.rlim_cur = 50000;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    host.recorder.messages.clear();
    in->startRun();
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);
    EXPECT_EQ(host.texts(),
              (Texts{std::string(msg::kWindowsErrorNotice), "WINDOWS CALL FAILED\n\nCan't write to file."}));
    EXPECT_EQ(failedAt(), std::make_pair(uint32_t{kInitialise}, 5));
    EXPECT_EQ(in->openFiles().size(), 0u);
}

// Each open file's buffer and a long line being put together are paid for from the run's budget; the
// line's buffer goes back once the line is stored, so ten files each read once on a 1 MB line hold
// their buffers only. Under 2 MB, the line beside its stored copy passes the budget at the read.
TEST_F(TextFiles, FileBuffersAndLongLinesArePaidForAndALinesBufferGoesBackOnceStored)
{
    constexpr uint64_t kLine = uint64_t{1} << 20;
    writeBytes(path("long.txt"), std::string(kLine, 'x')); // no line end
    handlers();
    add(build, {declare("String", {"S=\"\""})});
    for (int k = 1; k <= 10; ++k)
        add(build, {declare("File", {"F" + std::to_string(k)})});
    for (int k = 1; k <= 10; ++k)
        add(build, {open("F" + std::to_string(k), "long.txt", true),
                    line("TextFileRead", {"F" + std::to_string(k), "S", "", ""})});
    memoryLimit = uint64_t{8} << 20;
    ASSERT_TRUE(startsCleanly(*this)); // it waits for events with its files open
    EXPECT_EQ(text("S").size(), kLine);
    EXPECT_GE(in->eval().memory.used(), kLine + 10 * TextFile::kBufferSize);
    EXPECT_LT(in->eval().memory.used(), kLine + 11 * TextFile::kBufferSize);
    in->stopRun();
    EXPECT_LT(in->eval().memory.used(), kLine + TextFile::kBufferSize); // the run's end closed them

    const CaseRun small({declare("String", {"S=\"\""}), declare("File", {"F"}), open("F", "long.txt", true),
                         line("TextFileRead", {"F", "S", "", ""})},
                        false, [](Session& s) { s.memoryLimit = uint64_t{2} << 20; });
    expectFailedAt(small, runErrorText("Out of memory"), 4); // the read
}

TEST_F(TextFiles, EditorsBuildTheLineTextsAndRefuseWrongFields)
{
    EditContext context{program, variables, nullptr};
    const std::string noFile(kFileVariableRequired);
    const std::vector<EditorRow> rows = {
        {kTextFileRead, {"F", "L", "", ""}, kSame, "TextFileRead F, L"},
        {kTextFileRead, {"Files(2)", "Parts", "1", "N"}, kSame, "TextFileRead Files(2), Parts, Parsed, N"},
        {kTextFileWrite, {"F", "\"ab\"", "1", "1", "1"}, kSame, "TextFileWrite F, \"ab\",Quotes,Comma,NewLine"},
        {kTextFileWrite, {"F", "4.5", "", "", "1"}, kSame, "TextFileWrite F, 4.5,NewLine"},
        {kTextFileClose, {"F"}, kSame, "TextFileClose F"},
        {kTextFileRead, {"\"f\"", "L", "", ""}, 0, noFile},
        {kTextFileRead, {"F", "", "", ""}, 1, "Variable required."},
        {kTextFileRead, {"F", "L", "1", ""}, 3, "Variable required."},
        {kTextFileWrite, {"3", "L", "", "", ""}, 0, noFile},
        {kTextFileWrite, {"F", "", "", "", ""}, 1, "Entry required."},
        {kTextFileWrite, {"F", "1 +", "", "", ""}, 1, "Invalid expression."},
        {kTextFileClose, {""}, 0, "Variable required."},
    };
    expectEditorRows(context, rows);
}
