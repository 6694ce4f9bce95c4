// Hostile files and programs, as a teacher grading files from strangers meets them: names that are
// not regular files, declarations far beyond what the editor makes, programs that eat memory or
// time, and saves beside planted links. Every file is made here, one of each kind.

#include "app/run_watchdog.h"
#include "app_support.h"
#include "document/program_document.h"
#include "runtime/bitmap_file.h"
#include "support/file_bytes.h"

#include <gtest/gtest.h>

#include <QImage>

#include <atomic>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <set>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using namespace qel;
using namespace qel::test;
namespace fs = std::filesystem;

namespace {

// An 8-bit run-length bitmap of width x height in one colour: a few bytes a row.
std::vector<uint8_t> runLengthBitmap(int width, int height)
{
    FileBytes pixels;
    for (int y = 0; y < height; ++y) {
        for (int left = width; left > 0; left -= 255)
            pixels.raw({static_cast<uint8_t>(std::min(left, 255)), 1});
        pixels.raw({0, 0});
    }
    pixels.raw({0, 1});
    FileBytes f;
    const uint32_t offset = 14 + 40 + 8;
    f.raw({'B', 'M'}).u32(offset + static_cast<uint32_t>(pixels.bytes.size())).u32(0).u32(offset);
    f.u32(40).u32(static_cast<uint32_t>(width)).u32(static_cast<uint32_t>(height)).raw({1, 0, 8, 0}).u32(1);
    f.u32(0).u32(0).u32(0).u32(2).u32(0).raw({0, 0, 0, 0, 0, 0, 255, 0});
    return f.raw(pixels.bytes).bytes;
}

const std::string kOutOfMemory = errorRecord("Out of memory");

} // namespace

// A folder, a FIFO, a device, and a file larger than any reader takes (sparse, so it costs no disk):
// each fails at once with its own message, for every command and for BitmapLoad.
TEST(HostileInput, NamesThatAreNotRegularFilesFailAtOnceWithTheirOwnMessages)
{
    const std::string dir = makeTempFolder() + "/", fifo = dir + "fifo", huge = dir + "huge";
    fs::create_directories(dir + "folder");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::ofstream(huge).close();
    fs::resize_file(huge, kMaxBitmapFileBytes + 1);
    const std::vector<std::string> names = {dir + "folder/", fifo, "/dev/zero", huge};

    std::vector<uint8_t> bytes;
    for (const auto& [name, error] : {std::pair{dir + "folder", FileReadError::NotAFile},
                                      {fifo, FileReadError::NotAFile},
                                      {"/dev/zero", FileReadError::NotAFile},
                                      {huge, FileReadError::TooLarge},
                                      {dir + "missing", FileReadError::CannotOpen}})
        EXPECT_EQ(readWholeFile(name, bytes).error, error) << name;
    EXPECT_TRUE(bytes.empty());

    const Stopwatch clock;
    for (const std::string& name : names) {
        for (const auto& args : std::vector<std::vector<std::string>>{
                 {"dump", name}, {"resave", name, dir + "out.qel"}, {"run", name}, {"run", name, "--events", name}}) {
            RunOutput r = runTool(args);
            EXPECT_EQ(r.status, 2) << name;
            EXPECT_EQ(r.err, "qeltool: cannot read " + name + "\n") << args[0] << " " << name;
        }
        const std::string program = saveProgram(dir + "load.qel", [&](Session& s) {
            s.build.add("DeclareVariable", variableFields("Bitmap", "B"))
                .add("BitmapLoad", {quoted(name), "B", "", ""});
        });
        RunOutput r = runTool({"run", program});
        EXPECT_EQ(r.status, 1) << name;
        ASSERT_FALSE(r.lines.empty());
        EXPECT_EQ(r.lines[0], errorRecord("Unable to open the bitmap specified.")) << name;
    }
    // Nothing blocked on the FIFO or read the device: the sixteen commands took no time at all.
    EXPECT_LT(clock.seconds(), 5.0);
}

TEST(HostileInput, DeclarationsBeyondTheDialogsAreRefusedAndOpeningCostsNoArrays)
{
    const std::string dir = makeTempFolder() + "/";
    Session s;
    s.handlers();
    s.build.add("DeclareVariable", {"String", "2D Array", "100", "100", "A", "", "B", "", "C", "", "D", ""});
    // Four String arrays of 10,000 elements a line, three hundred lines: 12 million elements.
    const ProgramLine atTheLimit = s.build.last();
    auto& lines = s.program.sections[kInitialise].lines;
    lines.resize(lines.size() + 299, atTheLimit);
    const std::string large = saveProgram(s, dir + "large.qel");

    Program program;
    VariableTable variables;
    RecordingHost host;
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(readWholeFile(large, bytes));
    ASSERT_EQ(openProgram(program, variables, bytes, host).status, ReadStatus::Ok);
    EXPECT_EQ(variables.size(), 1206u); // 1,200 arrays and the six system variables
    for (const VariableRecord& v : variables)
        EXPECT_EQ(v.elementCount(), 0u) << v.name; // made when a run starts, from its budget

    RunOutput run = runTool({"run", large, "--memory-limit", "64"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.lines, (std::vector<std::string>{kOutOfMemory, endRecord("error")}));

    // One element more than the dialog allows, in either dimension or in all, is a damaged file.
    lines.resize(lines.size() - 299);
    const std::string why = "declares an array larger than the Declare Variables dialog allows (each dimension 0 to "
                            "1000, at most 10,000 elements)";
    for (const auto& [dim1, dim2] : std::vector<std::pair<uint32_t, uint32_t>>{{1001, 1}, {101, 100}, {~0u, 1}}) {
        std::vector<uint8_t> block(atTheLimit.block.bytes().begin(), atTheLimit.block.bytes().end());
        std::memcpy(block.data() + 12, &dim1, 4);
        std::memcpy(block.data() + 16, &dim2, 4);
        lines.back().block = ParamBlock::fromBytes(block);
        RunOutput dump = runTool({"dump", saveProgram(s, dir + "oversized.qel")});
        EXPECT_EQ(dump.status, 2);
        const std::string message = "Corrupt, Obsolete or Non-QEL file.\\n\\nLine " + std::to_string(lines.size() - 1) +
                                    " of the Initialise section " + why + ", so the file was not opened.";
        ASSERT_GE(dump.lines.size(), 3u);
        EXPECT_EQ(dump.lines.end()[-3], "    {\"icon\": \"error\", \"text\": \"" + message + "\"}")
            << dim1 << "x" << dim2;
    }
}

// A 1 MiB text copied into the elements of an array, one after another, under 16 MiB: fourteen
// copies fit beside the text itself and the array, the fifteenth does not. A 36 KB file that
// decodes to 16 MB of pixels, loaded again and again under 40 MiB: the third does not fit.
TEST(HostileInput, StringsAndBitmapsStopAtTheMemoryBudget)
{
    const std::string dir = makeTempFolder() + "/", picture = dir + "runs.bmp";
    ASSERT_TRUE(writeFileAtomically(picture, runLengthBitmap(2000, 2000)));
    uint32_t copyLine = 0, loadLine = 0;
    const std::string strings = saveProgram(dir + "strings.qel", [&](Session& s) {
        s.build.add("DeclareVariable", variableFields("String", "S", "\"x\""))
            .add("DeclareVariable", {"String", "1D Array", "1000", "", "T", ""})
            .add("DeclareVariable", variableFields("Integer", "I", "0"))
            .add("For", forFields("I", "1", "20"))
            .add("Let", letFields("S", "S", "+", "S"))
            .add("Next")
            .add("For", forFields("I", "1", "1000"));
        copyLine = nextLine(s);
        s.build.add("Let", letFields("T(I)", "S")).add("Next");
    });
    const std::string bitmaps = saveProgram(dir + "bitmaps.qel", [&](Session& s) {
        s.build.add("DeclareVariable", {"Bitmap", "1D Array", "10", "", "B", ""})
            .add("DeclareVariable", variableFields("Integer", "I", "0"))
            .add("For", forFields("I", "1", "10"));
        loadLine = nextLine(s);
        s.build.add("BitmapLoad", {quoted(picture), "B(I)", "", ""}).add("Next");
    });
    const struct {
        std::string program, limit;
        uint32_t line;
        std::string count;
    } cases[] = {{strings, "16", copyLine, "15"}, {bitmaps, "40", loadLine, "3"}};
    for (const auto& c : cases) {
        const RunOutput r = runTool({"run", c.program, "--memory-limit", c.limit, "--vars"});
        EXPECT_EQ(r.status, 1);
        ASSERT_EQ(r.lines.size(), 3u);
        EXPECT_EQ(r.lines[0], kOutOfMemory);
        EXPECT_EQ(r.lines[1], endRecord("error", 0, c.line));
        EXPECT_TRUE(holds(r.lines[2], {varRecord("I", "Integer", c.count)}));
    }
}

// The window's picture is paid for from the budget too: it grows only as far as the budget holds.
TEST(HostileInput, TheWindowsPictureGrowsOnlyAsFarAsTheMemoryBudget)
{
    const std::string dir = makeTempFolder() + "/", png = dir + "picture.png";
    const std::string program = saveProgram(dir + "waits.qel", [](Session&) {});
    const RunOutput r = runTool({"run", program, "--memory-limit", "16", "--events", "-", "--snapshot", png},
                                "resize 1000 1000\nresize 4000 4000\n");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(QImage(QString::fromStdString(png)).size(), QSize(1000, 1000));
}

// Each program loops for ever, inside one long instruction or none; the time limit ends it all the
// same, names the line, and exits with its own status.
TEST(HostileInput, TheTimeLimitHoldsWhateverTheProgramDoes)
{
    const std::string dir = makeTempFolder() + "/";
    struct Case {
        std::string name;
        std::vector<std::string> options;
        std::function<void(ProgramBuilder&)> before, body;
    };
    const auto nothing = [](ProgramBuilder&) {};
    const std::vector<Case> cases = {
        {"copy",
         {},
         [](ProgramBuilder& b) {
             b.add("DeclareVariable", variableFields("String", "S", "\"x\""))
                 .add("DeclareVariable", variableFields("String", "T", "\"\""))
                 .add("For", forFields("Total", "1", "22"))
                 .add("Let", letFields("S", "S", "+", "S"))
                 .add("Next");
         },
         [](ProgramBuilder& b) { b.add("Let", letFields("T", "S")); }},
        {"loop", {}, nothing, nothing},
        {"pause", {}, nothing, [](ProgramBuilder& b) { b.add("Pause", {"1000"}); }},
        {"fill",
         {"--size", "4000x4000"},
         nothing,
         [](ProgramBuilder& b) {
             b.add("DrawFill", {"1", "1", "Red"}).add("DrawFill", {"1", "1", "Blue"});
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        uint32_t first = 0, last = 0;
        const std::string path = saveProgram(dir + c.name + ".qel", [&](Session& s) {
            s.build.add("DeclareVariable", variableFields("Integer", "Total", "0"))
                .add("DeclareVariable", variableFields("Integer", "Never", "0"));
            c.before(s.build);
            first = nextLine(s);
            s.build.add("While", {"Never", "Less Than", "1"});
            c.body(s.build);
            s.build.add("EndWhile");
            last = nextLine(s) - 1;
        });
        // The limit counts from the tool's start: it leaves a sanitized build on a busy machine the
        // time to make its window and run the lines before the loop.
        std::vector<std::string> args = {"run", path, "--timeout", "3"};
        args.insert(args.end(), c.options.begin(), c.options.end());
        const Stopwatch clock;
        const RunOutput r = runTool(args);
        EXPECT_EQ(r.status, 3);
        // The limit, and what the slowest build on a busy machine needs to end one line.
        EXPECT_LT(clock.seconds(), 4.5);
        ASSERT_FALSE(r.lines.empty());
        bool named = false;
        for (uint32_t line = first; line <= last; ++line)
            named = named || r.lines.back() == endRecord("timeout", 0, line);
        EXPECT_TRUE(named) << r.lines.back();
    }
}

// The real qeltool, its arguments as the shell reads them, ends within its time limit and a
// fraction of a second, with the timeout record alone and its own exit status: one line that would
// take longer than the time left (decoding 100 million pixels from a 782 KB file), whether the
// decoding stops or the watchdog ends the process; and a script on standard input whose writer
// keeps it open and never ends it.
TEST(HostileInput, TheRealToolEndsWithinItsTimeLimit)
{
    const std::string dir = makeTempFolder() + "/", picture = dir + "huge.bmp", fifo = dir + "script";
    ASSERT_TRUE(writeFileAtomically(picture, runLengthBitmap(10000, 10000)));
    uint32_t loadLine = 0;
    const std::string stuck = saveProgram(dir + "stuck.qel", [&](Session& s) {
        s.build.add("DeclareVariable", variableFields("Bitmap", "B"));
        loadLine = nextLine(s);
        s.build.add("BitmapLoad", {quoted(picture), "B", "", ""});
    });
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const int writer = ::open(fifo.c_str(), O_RDWR);
    ASSERT_GE(writer, 0);
    ASSERT_EQ(::write(writer, "paint\n", 6), 6); // a first line, and never the end
    const std::string idle = saveProgram(dir + "idle.qel", [](Session&) {});
    for (const auto& [arguments, record] : {std::pair{stuck + " --timeout 0.3", endRecord("timeout", 0, loadLine)},
                                            {idle + " --timeout 0.5 --events - < " + fifo, endRecord("timeout")}}) {
        const Stopwatch clock;
        const Shell tool = shell(std::string(QEL_TOOL) + " run " + arguments);
        EXPECT_LT(clock.seconds(), 3.0) << arguments;
        EXPECT_EQ(tool.status, 3) << arguments;
        EXPECT_EQ(tool.out, record + "\n");
    }
    ::close(writer);
}

// A loop of message boxes and one writing a text file: what passes the output limit is not written,
// and the run ends at that line.
TEST(HostileInput, OutputPastItsLimitEndsTheRunAtTheLineThatPassedIt)
{
    const std::string dir = makeTempFolder() + "/", file = dir + "out.txt";
    const struct {
        std::string instruction;
        std::vector<std::string> fields;
    } loops[] = {{"MessageBox", {"\"Hello\"", "1", "", "", "", "", "", "1", "", "", ""}},
                 {"TextFileWrite", {"F", "S", "", "", "1"}}};
    for (const auto& loop : loops) {
        SCOPED_TRACE(loop.instruction);
        uint32_t looping = 0;
        const std::string path = saveProgram(dir + loop.instruction + ".qel", [&](Session& s) {
            s.build.add("DeclareVariable", variableFields("File", "F"))
                .add("DeclareVariable", variableFields("String", "S", "\"0123456789\""))
                .add("DeclareVariable", variableFields("Integer", "Never", "0"))
                .add("TextFileOpen", {"F", quoted(file), "", "1"})
                .add("While", {"Never", "Less Than", "1"});
            looping = nextLine(s);
            s.build.add(loop.instruction, loop.fields).add("EndWhile");
        });
        const RunOutput r = runTool({"run", path, "--output-limit", "1", "--timeout", "60"});
        EXPECT_EQ(r.status, 1);
        ASSERT_GE(r.lines.size(), 2u);
        EXPECT_EQ(r.lines.end()[-2], errorRecord("Output limit reached"));
        EXPECT_EQ(r.lines.back(), endRecord("error", 0, looping));
        uint64_t written = fs::file_size(file);
        for (size_t k = 0; k + 2 < r.lines.size(); ++k)
            written += r.lines[k].size() + 1;
        EXPECT_LE(written, uint64_t{1} << 20);
        EXPECT_GT(written, (uint64_t{1} << 20) - 100);
    }
}

TEST(HostileInput, TheWatchdogInterruptsAtTheDeadlineAndEndsARunThatWillNotStop)
{
    using namespace std::chrono;
    std::atomic<int> deadlines = 0, lastResorts = 0;
    auto watchdog = [&](milliseconds deadline, milliseconds grace) {
        return std::make_unique<RunWatchdog>(
            RunWatchdog::Clock::now() + deadline, grace, [&] { ++deadlines; }, [&] { ++lastResorts; });
    };
    watchdog(milliseconds(50), milliseconds(10))->finish();
    EXPECT_EQ(deadlines + lastResorts, 0);
    {
        const auto stuck = watchdog(milliseconds(20), milliseconds(20));
        std::this_thread::sleep_for(milliseconds(200));
    }
    EXPECT_EQ(deadlines, 1);
    EXPECT_EQ(lastResorts, 1);
}

TEST(HostileInput, SavesKeepTheFilesIdentityAndLeaveNothingBehind)
{
    const std::string dir = makeTempFolder() + "/", secret = dir + "secret.qel";
    const std::vector<uint8_t> first = {'o', 'l', 'd'}, second = {'n', 'e', 'w'};
    auto mode = [](const std::string& path) { return static_cast<unsigned>(fs::status(path).permissions()); };

    // A private file stays private.
    ASSERT_TRUE(writeFileAtomically(secret, first));
    ASSERT_EQ(::chmod(secret.c_str(), 0600), 0);
    ASSERT_TRUE(writeFileAtomically(secret, second));
    EXPECT_EQ(mode(secret), 0600u);
    EXPECT_EQ(readBytes(secret), "new");

    // A new file takes what the umask allows.
    const mode_t mask = ::umask(022);
    ASSERT_TRUE(writeFileAtomically(dir + "fresh.qel", first));
    ::umask(mask);
    EXPECT_EQ(mode(dir + "fresh.qel"), 0644u);

    // Through a link, the link's target is saved and the link stays a link; a dangling link makes
    // its target.
    fs::create_symlink("secret.qel", dir + "link.qel");
    ASSERT_TRUE(writeFileAtomically(dir + "link.qel", first));
    EXPECT_TRUE(fs::is_symlink(dir + "link.qel"));
    EXPECT_EQ(readBytes(secret), "old");
    fs::create_symlink(dir + "made.qel", dir + "dangling.qel");
    ASSERT_TRUE(writeFileAtomically(dir + "dangling.qel", second));
    EXPECT_TRUE(fs::is_symlink(dir + "dangling.qel"));
    EXPECT_EQ(readBytes(dir + "made.qel"), "new");

    // A link planted under the name the old saves used leads nowhere now.
    const std::string victim = dir + "victim";
    ASSERT_TRUE(writeFileAtomically(victim, first));
    fs::create_symlink(victim, secret + ".saving~");
    ASSERT_EQ(runTool({"new", secret}).status, 0);
    EXPECT_EQ(readBytes(victim), "old");
    EXPECT_FALSE(fs::is_symlink(secret));

    // A save that cannot be made leaves everything as it was: no temporary files, the old file.
    fs::create_directories(dir + "folder.qel");
    fs::create_symlink("loop.qel", dir + "loop.qel");
    for (const char* name : {"folder.qel", "missing/x.qel", "loop.qel"})
        EXPECT_FALSE(writeFileAtomically(dir + name, second)) << name;
    std::set<std::string> names;
    for (const auto& e : fs::directory_iterator(dir))
        names.insert(e.path().filename().string());
    EXPECT_EQ(names, (std::set<std::string>{"dangling.qel", "folder.qel", "fresh.qel", "link.qel", "loop.qel",
                                            "made.qel", "secret.qel", "secret.qel.saving~", "victim"}));
}
