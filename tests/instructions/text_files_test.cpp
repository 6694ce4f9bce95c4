// The text-file instructions run: the bytes they write, what reading gives back, the checks they
// make, and that every end of a run leaves each file closed and complete.

#include "instructions/files/text_file_instructions.h"
#include "interpreter/text_files.h"
#include "messages/run_errors.h"
#include "support/run_fixture.h"
#include "support/temp_files.h"

#include <csignal>
#include <sys/resource.h>

using namespace qel;
using namespace qel::test;

namespace {

std::string quoted(const std::string& text) { return "\"" + text + "\""; }

std::vector<std::string> writeFields(std::string file, std::string value, bool comma, bool quotes, bool newLine)
{
    return {file, value, comma ? "1" : "", quotes ? "1" : "", newLine ? "1" : ""};
}

struct FileSession : Session {
    std::string dir;
    std::string path(const std::string& name) const { return dir + "/" + name; }

    void declare(std::string type, std::string name, std::string initial = "")
    {
        build.add("DeclareVariable", variableFields(type, name, initial));
    }
    void declareArray(std::string type, std::string name, int size)
    {
        build.add("DeclareVariable", {type, "1D Array", std::to_string(size), "", name, ""});
    }
    void open(const std::string& file, const std::string& name, bool reading)
    {
        build.add("TextFileOpen", {file, quoted(path(name)), reading ? "1" : "", reading ? "" : "1"});
    }
    std::string element(std::string_view name, size_t index) const
    {
        const VariableRecord* v = variables.findVariable(name);
        return v && index < v->texts.size() ? std::string(v->textAt(index)) : "<none>";
    }
};

struct TextFiles : ::testing::Test, FileSession {
    TextFiles() { dir = makeTempFolder(); }
};

} // namespace

TEST_F(TextFiles, WritesCsvWithCrLfAndSplitReadsGiveTheFieldsBack)
{
    handlers();
    declare("File", "F");
    declare("Floating Point", "X", "2.71828");
    declare("Integer", "N", "0");
    declare("Integer", "Big", "-16777217");
    declareArray("String", "Fields", 4);
    open("F", "out.csv", false);
    build.add("TextFileWrite", writeFields("F", "3", true, false, false))
        .add("TextFileWrite", writeFields("F", "\"ab\"", true, true, false))
        .add("TextFileWrite", writeFields("F", "4.5", false, false, true))
        .add("TextFileWrite", writeFields("F", "X", true, false, false)) // shown with 4 decimals
        .add("TextFileWrite", writeFields("F", "Big", false, false, true))
        .add("TextFileClose", {"F"});
    open("F", "out.csv", true);
    build.add("TextFileRead", {"F", "Fields", "1", "N"});
    EXPECT_EQ(build.last().text, "TextFileRead F, Fields, Parsed, N");
    start();
    ASSERT_TRUE(errors().empty()) << errors()[0];
    EXPECT_EQ(readBytes(path("out.csv")), "3,\"ab\",4.5\r\n2.7183,-16777217\r\n");
    EXPECT_EQ(number("N"), 3.0f);
    EXPECT_EQ(element("Fields", 0), "3");
    EXPECT_EQ(element("Fields", 1), "\"ab\""); // quotes kept
    EXPECT_EQ(element("Fields", 2), "4.5");
    EXPECT_EQ(in->openFiles().size(), 1u); // the program waits for events with its file open
    in->stopRun();
    EXPECT_EQ(in->openFiles().size(), 0u); // the run's end closed it
}

TEST_F(TextFiles, SplitKeepsQuotedCommasAndEmptyFieldsAndStopsBeyondTheArray)
{
    writeBytes(path("in.csv"), "a,\"x, y\",,\r\n\r\n1,2,3,4,5\n");
    handlers();
    declare("File", "F");
    declare("Integer", "N1", "0");
    declare("Integer", "N2", "0");
    declare("Integer", "N3", "-1");
    declareArray("String", "A", 4);
    declareArray("String", "B", 4);
    declareArray("String", "C", 4);
    open("F", "in.csv", true);
    build.add("TextFileRead", {"F", "A", "1", "N1"})
        .add("TextFileRead", {"F", "B", "1", "N2"})
        .add("TextFileRead", {"F", "C", "1", "N3"});
    start();
    EXPECT_EQ(errors(), std::vector<std::string>{runErrorText("1st Subscript out of range - C")});
    EXPECT_EQ(failedAt(), std::make_pair(uint32_t{kInitialise}, 11));
    EXPECT_EQ(number("N1"), 4.0f);
    EXPECT_EQ((std::vector<std::string>{element("A", 0), element("A", 1), element("A", 2), element("A", 3)}),
              (std::vector<std::string>{"a", "\"x, y\"", "", ""}));
    EXPECT_EQ(number("N2"), 1.0f); // an empty line is one empty field
    EXPECT_EQ(element("B", 0), "");
    EXPECT_EQ(element("C", 3), "4"); // the fields before the one that did not fit are stored
    EXPECT_EQ(number("N3"), -1.0f);  // and the count is not
}

// Read, test, then use: every line comes back whole, however long and whether or not it ends with a
// line end, and a read past the end changes nothing.
TEST_F(TextFiles, ReadingLosesNoCharacterAndTheEndHoldsOnceAReadFindsNothing)
{
    const std::string longLine(2500, 'x');
    writeBytes(path("in.txt"), "first\r\nsecond\n" + longLine + "\r\na\rb\nlast");
    handlers();
    declare("File", "F");
    declare("String", "L", "\"\"");
    declare("Integer", "K", "0");
    declare("Integer", "Done", "0");
    declareArray("String", "Lines", 6);
    open("F", "in.txt", true);
    build.add("While", {"Done", "Equal", "0"})
        .add("TextFileRead", {"F", "L", "", ""})
        .add("If", ifFields("F", ".AtEndOfFile", ""))
        .add("Let", letFields("Done", "1"))
        .add("Else")
        .add("Let", letFields("K", "K", "+", "1"))
        .add("Let", letFields("Lines(K)", "L"))
        .add("EndIf")
        .add("EndWhile")
        .add("TextFileRead", {"F", "L", "", ""}); // past the end again: no error, nothing changes
    start();
    ASSERT_TRUE(errors().empty()) << errors()[0];
    EXPECT_EQ(number("K"), 5.0f);
    EXPECT_EQ((std::vector<std::string>{element("Lines", 0), element("Lines", 1), element("Lines", 2),
                                        element("Lines", 3), element("Lines", 4)}),
              (std::vector<std::string>{"first", "second", longLine, "a\rb", "last"}));
    EXPECT_EQ(text("L"), "last");
}

TEST_F(TextFiles, OperandChecksAndOpenFailuresStopTheRunWithTheirMessages)
{
    mkdir(path("folder").c_str(), 0755);
    writeBytes(path("there.txt"), "x\n");
    struct Case {
        std::function<void(FileSession&)> lines;
        std::string error;
    };
    const std::vector<Case> cases = {
        {[](FileSession& t) { t.build.add("TextFileClose", {"Nowhere"}); },
         "Reference to undeclared variable - Nowhere"},
        {[](FileSession& t) {
             t.build.add("TextFileRead", {"S", "S", "", ""});
         },
         "Expecting variable of type File but found variable - S"},
        {[](FileSession& t) {
             t.build.add("TextFileRead", {"F", "S", "", ""});
         },
         "No file is open for this variable - F"},
        {[](FileSession& t) { t.build.add("TextFileWrite", writeFields("F", "1", false, false, true)); },
         "No file is open for this variable - F"},
        {[](FileSession& t) { t.build.add("TextFileClose", {"F"}); }, "No file is open for this variable - F"},
        {[](FileSession& t) { t.open("F", "folder", true); }, "Unable to open the file specified."},
        {[](FileSession& t) { t.open("F", "folder", false); }, "Unable to open the file specified."},
        {[](FileSession& t) { t.open("F", "missing.txt", true); }, "Unable to open the file specified."},
        {[](FileSession& t) {
             t.build.add("TextFileOpen", {"F", "Empty", "1", ""});
         },
         "Filename is an empty string - Empty"},
        {[](FileSession& t) {
             t.build.add("TextFileOpen", {"F", "N", "1", ""});
         },
         "Expected a string literal or string variable - N"},
        {[](FileSession& t) {
             t.open("F", "there.txt", true);
             t.open("F", "there.txt", true);
         },
         "A file is already open for this variable - F"},
        {[](FileSession& t) {
             t.open("F", "there.txt", true);
             t.build.add("TextFileRead", {"F", "N", "", ""});
         },
         "Expecting string variable but found variable - N"},
        {[](FileSession& t) {
             t.open("F", "there.txt", true);
             t.build.add("TextFileRead", {"F", "S", "1", "N"});
         },
         "Expecting a 1 dimension string variable - S"},
        {[](FileSession& t) {
             t.open("F", "there.txt", false);
             t.build.add("TextFileWrite", writeFields("F", "F", false, false, false));
         },
         "Expecting numeric or string variable but found variable - F"},
    };
    for (const Case& c : cases) {
        FileSession t;
        t.dir = dir;
        t.handlers();
        t.declare("File", "F");
        t.declare("String", "S", "\"\"");
        t.declare("String", "Empty", "\"\"");
        t.declare("Integer", "N", "0");
        c.lines(t);
        t.start();
        EXPECT_EQ(t.errors(), std::vector<std::string>{runErrorText(c.error)}) << c.error;
        EXPECT_EQ(t.in->openFiles().size(), 0u);
    }
}

// A run stopped by an error in the middle of writing leaves the file complete and closed, and the
// next run starts with no file open; a write the disk refuses stops the run instead of losing data
// quietly.
TEST_F(TextFiles, EveryEndOfARunLeavesFilesCompleteAndAFailedWriteIsReported)
{
    handlers();
    declare("File", "F");
    declare("Integer", "I", "0");
    declare("Integer", "Zero", "0");
    open("F", "log.txt", false);
    build.add("For", forFields("I", "1", "20000"))
        .add("TextFileWrite", writeFields("F", "I", false, false, true))
        .add("Next")
        .add("Let", letFields("I", "1", "/", "Zero")); // an integer overflow stops the run
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
    EXPECT_EQ(host.texts(), (std::vector<std::string>{std::string(msg::kWindowsErrorNotice),
                                                      "WINDOWS CALL FAILED\n\nCan't write to file."}));
    EXPECT_EQ(failedAt(), std::make_pair(uint32_t{kInitialise}, 6));
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
    declare("String", "S", "\"\"");
    for (int k = 1; k <= 10; ++k)
        declare("File", "F" + std::to_string(k));
    for (int k = 1; k <= 10; ++k) {
        open("F" + std::to_string(k), "long.txt", true);
        build.add("TextFileRead", {"F" + std::to_string(k), "S", "", ""});
    }
    memoryLimit = uint64_t{8} << 20;
    start(); // it waits for events with its files open
    ASSERT_TRUE(errors().empty()) << errors()[0];
    EXPECT_EQ(text("S").size(), kLine);
    EXPECT_GE(in->eval().memory.used(), kLine + 10 * TextFile::kBufferSize);
    EXPECT_LT(in->eval().memory.used(), kLine + 11 * TextFile::kBufferSize);
    in->stopRun();
    EXPECT_LT(in->eval().memory.used(), kLine + TextFile::kBufferSize); // the run's end closed them

    FileSession small;
    small.dir = dir;
    small.handlers();
    small.declare("String", "S", "\"\"");
    small.declare("File", "F");
    small.open("F", "long.txt", true);
    small.build.add("TextFileRead", {"F", "S", "", ""});
    small.memoryLimit = uint64_t{2} << 20;
    small.start();
    EXPECT_EQ(small.errors(), std::vector<std::string>{runErrorText("Out of memory")});
    EXPECT_EQ(small.failedAt(), std::make_pair(uint32_t{kInitialise}, 4)); // the read
}

TEST_F(TextFiles, EditorsBuildTheLineTextsAndRefuseWrongFields)
{
    TextFileReadEditor read;
    TextFileWriteEditor write;
    TextFileCloseEditor close;
    EditContext context{program, variables, nullptr};
    auto refused = [&](const InstructionEditor& editor, std::vector<std::string> values) {
        EditOutcome outcome = editor.accept(values, context);
        return outcome.ok() ? std::make_pair(-1, std::string())
                            : std::make_pair(outcome.error->field, outcome.error->message);
    };
    auto roundTrip = [&](const InstructionEditor& editor, std::vector<std::string> values) {
        EditOutcome outcome = editor.accept(values, context);
        EXPECT_TRUE(outcome.ok());
        EXPECT_EQ(editor.decode({outcome.line.type, outcome.line.text, outcome.line.block}), values);
        return outcome.line.text;
    };
    EXPECT_EQ(roundTrip(read, {"F", "L", "", ""}), "TextFileRead F, L");
    EXPECT_EQ(roundTrip(read, {"Files(2)", "Parts", "1", "Count"}), "TextFileRead Files(2), Parts, Parsed, Count");
    EXPECT_EQ(roundTrip(write, {"F", "\"ab\"", "1", "1", "1"}), "TextFileWrite F, \"ab\",Quotes,Comma,NewLine");
    EXPECT_EQ(roundTrip(write, {"F", "4.5", "", "", "1"}), "TextFileWrite F, 4.5,NewLine");
    EXPECT_EQ(roundTrip(close, {"F"}), "TextFileClose F");

    EXPECT_EQ(refused(read, {"\"f\"", "L", "", ""}), std::make_pair(0, std::string(kFileVariableRequired)));
    EXPECT_EQ(refused(read, {"F", "", "", ""}), std::make_pair(1, std::string("Variable required.")));
    EXPECT_EQ(refused(read, {"F", "L", "1", ""}), std::make_pair(3, std::string("Variable required.")));
    EXPECT_EQ(refused(write, {"3", "L", "", "", ""}), std::make_pair(0, std::string(kFileVariableRequired)));
    EXPECT_EQ(refused(write, {"F", "", "", "", ""}), std::make_pair(1, std::string("Entry required.")));
    EXPECT_EQ(refused(write, {"F", "1 +", "", "", ""}), std::make_pair(1, std::string("Invalid expression.")));
    EXPECT_EQ(refused(close, {""}), std::make_pair(0, std::string("Variable required.")));
}
