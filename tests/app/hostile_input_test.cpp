// Hostile files and programs, as a teacher grading files from strangers meets them: names that are
// not regular files, declarations far beyond what the editor makes, programs that eat memory or
// time, and saves beside planted links. Every file is made here, one of each kind.

#include "app/run_watchdog.h"
#include "document/program_document.h"
#include "fileio/file_io.h"
#include "program/program_file.h"
#include "runtime/bitmap_file.h"
#include "support/file_bytes.h"
#include "support/run_fixture.h"
#include "support/tool_run.h"

#include <gtest/gtest.h>

#include <QImage>

#include <atomic>
#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <set>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace qel;
using namespace qel::test;
namespace fs = std::filesystem;

namespace {

// A fresh folder of its own for each test.
std::string folder(const std::string& name)
{
    const fs::path path = fs::path(::testing::TempDir()) / ("hostile-" + name);
    fs::remove_all(path);
    fs::create_directories(path);
    return path.string() + "/";
}

// A program with its handlers; its Initialise lines come from `initialise`, which may note where
// its lines go with `here`.
struct Written {
    Session s;
    uint32_t here() const { return static_cast<uint32_t>(s.program.sections[kInitialise].lines.size()); }
};

std::string writeRun(const std::string& path, const std::function<void(ProgramBuilder&, const Written&)>& initialise)
{
    Written w;
    w.s.handlers();
    initialise(w.s.build, w);
    EXPECT_TRUE(writeFileAtomically(path, storeProgram(w.s.program).value()));
    return path;
}

struct Timed {
    RunOutput out;
    double seconds;
};

Timed timedRun(const std::vector<std::string>& args)
{
    const auto started = std::chrono::steady_clock::now();
    RunOutput out = runTool(args);
    return {out, std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count()};
}

std::string endRecord(const std::string& word, uint32_t section, uint32_t line)
{
    return "{\"end\": \"" + word + "\", \"section\": " + std::to_string(section) +
           ", \"line\": " + std::to_string(line) + "}";
}

std::string quoted(const std::string& text) { return "\"" + text + "\""; }

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

// The names that are not regular files: a folder, a FIFO, a device, and a file larger than any
// reader takes (sparse, so it costs no disk).
std::vector<std::string> unreadableNames(const std::string& dir)
{
    const std::string fifo = dir + "fifo", huge = dir + "huge";
    EXPECT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::ofstream(huge).close();
    fs::resize_file(huge, kMaxBitmapFileBytes + 1);
    return {dir + "folder/", fifo, "/dev/zero", huge};
}

} // namespace

TEST(HostileInput, NamesThatAreNotRegularFilesFailAtOnceWithTheirOwnMessages)
{
    const std::string dir = folder("names");
    fs::create_directories(dir + "folder");
    const std::vector<std::string> names = unreadableNames(dir);

    std::vector<uint8_t> bytes;
    EXPECT_EQ(readWholeFile(dir + "folder", bytes).error, FileReadError::NotAFile);
    EXPECT_EQ(readWholeFile(dir + "fifo", bytes).error, FileReadError::NotAFile);
    EXPECT_EQ(readWholeFile("/dev/zero", bytes).error, FileReadError::NotAFile);
    EXPECT_EQ(readWholeFile(dir + "huge", bytes).error, FileReadError::TooLarge);
    EXPECT_EQ(readWholeFile(dir + "missing", bytes).error, FileReadError::CannotOpen);
    EXPECT_TRUE(bytes.empty());

    const auto started = std::chrono::steady_clock::now();
    for (const std::string& name : names) {
        for (const auto& args : std::vector<std::vector<std::string>>{
                 {"dump", name}, {"resave", name, dir + "out.qel"}, {"run", name}, {"run", name, "--events", name}}) {
            RunOutput r = runTool(args);
            EXPECT_EQ(r.status, 2) << name;
            EXPECT_EQ(r.err, "qeltool: cannot read " + name + "\n") << args[0] << " " << name;
        }
        const std::string program = writeRun(
            dir + "load" + std::to_string(&name - names.data()) + ".qel", [&](ProgramBuilder& b, const Written&) {
                b.add("DeclareVariable", variableFields("Bitmap", "B")).add("BitmapLoad", {quoted(name), "B", "", ""});
            });
        RunOutput r = runTool({"run", program});
        EXPECT_EQ(r.status, 1) << name;
        ASSERT_FALSE(r.lines.empty());
        EXPECT_EQ(r.lines[0], "{\"message\": \"RUN TIME ERROR\\n\\nUnable to open the bitmap specified.\", "
                              "\"icon\": \"error\"}")
            << name;
    }
    // Nothing blocked on the FIFO or read the device: the sixteen commands took no time at all.
    EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count(), 5.0);
}

TEST(HostileInput, DeclarationsBeyondTheDialogsAreRefusedAndOpeningCostsNoArrays)
{
    const std::string dir = folder("declarations");
    Session s;
    s.handlers();
    s.build.add("DeclareVariable", {"String", "2D Array", "100", "100", "A", "", "B", "", "C", "", "D", ""});
    // Four String arrays of 10,000 elements a line, three hundred lines: 12 million elements.
    const ProgramLine atTheLimit = s.build.last();
    auto& lines = s.program.sections[kInitialise].lines;
    for (int copy = 0; copy < 299; ++copy)
        lines.push_back(atTheLimit);
    const std::string large = dir + "large.qel";
    ASSERT_TRUE(writeFileAtomically(large, storeProgram(s.program).value()));

    Program program;
    VariableTable variables;
    RecordingHost host;
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(readWholeFile(large, bytes));
    ASSERT_EQ(openProgram(program, variables, bytes, host).status, ReadStatus::Ok);
    EXPECT_LT(bytes.size(), 64000u);
    EXPECT_EQ(variables.size(), 1206u); // 1,200 arrays and the six system variables
    for (const VariableRecord& v : variables)
        EXPECT_EQ(v.elementCount(), 0u) << v.name; // made when a run starts, from its budget

    RunOutput run = runTool({"run", large, "--memory-limit", "64"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.lines, (std::vector<std::string>{"{\"message\": \"RUN TIME ERROR\\n\\nOut of memory\", "
                                                   "\"icon\": \"error\"}",
                                                   endRecord("error", 0, 0)}));

    // One element more than the dialog allows, in either dimension or in all, is a damaged file.
    const std::string why = "declares an array larger than the Declare Variables dialog allows (each dimension 0 to "
                            "1000, at most 10,000 elements)";
    for (const auto& [dim1, dim2] : std::vector<std::pair<uint32_t, uint32_t>>{{1001, 1}, {101, 100}, {~0u, 1}}) {
        std::vector<uint8_t> block(atTheLimit.block.bytes().begin(), atTheLimit.block.bytes().end());
        std::memcpy(block.data() + 12, &dim1, 4);
        std::memcpy(block.data() + 16, &dim2, 4);
        lines.resize(lines.size() - 299);
        lines.back().block = ParamBlock::fromBytes(block);
        const std::string oversized = dir + "oversized.qel";
        ASSERT_TRUE(writeFileAtomically(oversized, storeProgram(s.program).value()));
        RunOutput dump = runTool({"dump", oversized});
        EXPECT_EQ(dump.status, 2);
        const std::string message = "Corrupt, Obsolete or Non-QEL file.\\n\\nLine " + std::to_string(lines.size() - 1) +
                                    " of the Initialise section " + why + ", so the file was not opened.";
        ASSERT_GE(dump.lines.size(), 3u);
        EXPECT_EQ(dump.lines[dump.lines.size() - 3], "    {\"icon\": \"error\", \"text\": \"" + message + "\"}")
            << dim1 << "x" << dim2;
        lines.resize(lines.size() + 299, atTheLimit);
    }
}

TEST(HostileInput, StringsAndBitmapsStopAtTheMemoryBudget)
{
    const std::string dir = folder("memory");
    // A 1 MiB text copied into the elements of an array, one after another, under 16 MiB.
    uint32_t copyLine = 0;
    const std::string strings = writeRun(dir + "strings.qel", [&](ProgramBuilder& b, const Written& w) {
        b.add("DeclareVariable", variableFields("String", "S", "\"x\""))
            .add("DeclareVariable", {"String", "1D Array", "1000", "", "T", ""})
            .add("DeclareVariable", variableFields("Integer", "I", "0"))
            .add("For", forFields("I", "1", "20"))
            .add("Let", letFields("S", "S", "+", "S"))
            .add("Next")
            .add("For", forFields("I", "1", "1000"));
        copyLine = w.here();
        b.add("Let", letFields("T(I)", "S")).add("Next");
    });
    RunOutput r = runTool({"run", strings, "--memory-limit", "16", "--vars"});
    EXPECT_EQ(r.status, 1);
    ASSERT_EQ(r.lines.size(), 3u);
    EXPECT_EQ(r.lines[0], "{\"message\": \"RUN TIME ERROR\\n\\nOut of memory\", \"icon\": \"error\"}");
    EXPECT_EQ(r.lines[1], endRecord("error", 0, copyLine));
    // Fourteen copies of 1 MiB fit beside the text itself and the array; the fifteenth does not.
    EXPECT_NE(r.lines[2].find("{\"name\": \"I\", \"type\": \"Integer\", \"dims\": \"\", \"values\": [15]}"),
              std::string::npos)
        << r.lines[2];

    // A 36 KB file that decodes to 16 MB of pixels, loaded again and again under 40 MiB.
    const std::string picture = dir + "runs.bmp";
    ASSERT_TRUE(writeFileAtomically(picture, runLengthBitmap(2000, 2000)));
    uint32_t loadLine = 0;
    const std::string bitmaps = writeRun(dir + "bitmaps.qel", [&](ProgramBuilder& b, const Written& w) {
        b.add("DeclareVariable", {"Bitmap", "1D Array", "10", "", "B", ""})
            .add("DeclareVariable", variableFields("Integer", "I", "0"))
            .add("For", forFields("I", "1", "10"));
        loadLine = w.here();
        b.add("BitmapLoad", {quoted(picture), "B(I)", "", ""}).add("Next");
    });
    r = runTool({"run", bitmaps, "--memory-limit", "40", "--vars"});
    EXPECT_EQ(r.status, 1);
    ASSERT_EQ(r.lines.size(), 3u);
    EXPECT_EQ(r.lines[0], "{\"message\": \"RUN TIME ERROR\\n\\nOut of memory\", \"icon\": \"error\"}");
    EXPECT_EQ(r.lines[1], endRecord("error", 0, loadLine));
    EXPECT_NE(r.lines[2].find("\"values\": [3]"), std::string::npos) << r.lines[2];
}

// The window's picture is paid for from the budget too: it grows only as far as the budget holds.
TEST(HostileInput, TheWindowsPictureGrowsOnlyAsFarAsTheMemoryBudget)
{
    const std::string dir = folder("canvas");
    const std::string program = writeRun(dir + "waits.qel", [](ProgramBuilder&, const Written&) {});
    const std::string png = dir + "picture.png";
    const RunOutput r = runTool({"run", program, "--memory-limit", "16", "--events", "-", "--snapshot", png},
                                "resize 1000 1000\nresize 4000 4000\n");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(QImage(QString::fromStdString(png)).size(), QSize(1000, 1000));
}

// Each program loops for ever inside one long instruction; the time limit ends it all the same,
// names the line, and exits with its own status.
TEST(HostileInput, TheTimeLimitHoldsWhateverTheProgramDoes)
{
    const std::string dir = folder("timeout");
    struct Case {
        std::string name;
        std::vector<std::string> options;
        std::function<void(ProgramBuilder&)> before, body;
    };
    const std::vector<Case> cases = {
        {"copy",
         {},
         [](ProgramBuilder& b) {
             b.add("DeclareVariable", variableFields("String", "S", "\"x\""))
                 .add("DeclareVariable", variableFields("String", "T", "\"\""))
                 .add("For", forFields("Total", "1", "25"))
                 .add("Let", letFields("S", "S", "+", "S"))
                 .add("Next");
         },
         [](ProgramBuilder& b) { b.add("Let", letFields("T", "S")); }},
        {"pause", {}, [](ProgramBuilder&) {}, [](ProgramBuilder& b) { b.add("Pause", {"1000"}); }},
        {"fill",
         {"--size", "4000x4000"},
         [](ProgramBuilder&) {},
         [](ProgramBuilder& b) {
             b.add("DrawFill", {"1", "1", "Red"}).add("DrawFill", {"1", "1", "Blue"});
         }},
    };
    for (const Case& c : cases) {
        uint32_t first = 0, last = 0;
        const std::string path = writeRun(dir + c.name + ".qel", [&](ProgramBuilder& b, const Written& w) {
            b.add("DeclareVariable", variableFields("Integer", "Total", "0"))
                .add("DeclareVariable", variableFields("Integer", "Never", "0"));
            c.before(b);
            first = w.here();
            b.add("While", {"Never", "Less Than", "1"});
            c.body(b);
            b.add("EndWhile");
            last = w.here() - 1;
        });

        std::vector<std::string> args = {"run", path, "--timeout", "0.5"};
        args.insert(args.end(), c.options.begin(), c.options.end());
        const Timed t = timedRun(args);
        EXPECT_EQ(t.out.status, 3) << c.name;
        // Half a second, and what the slowest build on a busy machine needs to end one line.
        EXPECT_LT(t.seconds, 2.0) << c.name;
        ASSERT_FALSE(t.out.lines.empty()) << c.name;
        bool named = false;
        for (uint32_t line = first; line <= last; ++line)
            named = named || t.out.lines.back() == endRecord("timeout", 0, line);
        EXPECT_TRUE(named) << c.name << ": " << t.out.lines.back();
    }
}

namespace {

// The real qeltool, its arguments as the shell reads them, ends within its time limit (at most half
// a second here) and a fraction of a second, with the timeout record alone and its own exit status.
void expectTimeoutWithin(const std::string& arguments, const std::string& record)
{
    const auto started = std::chrono::steady_clock::now();
    std::FILE* tool = ::popen((std::string(QEL_TOOL) + " run " + arguments).c_str(), "r");
    ASSERT_NE(tool, nullptr);
    std::string out;
    for (int c; (c = std::fgetc(tool)) != EOF;)
        out += static_cast<char>(c);
    const int status = ::pclose(tool);
    EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count(), 3.0) << arguments;
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 3) << arguments;
    EXPECT_EQ(out, record + "\n");
}

} // namespace

// One line that would take longer than the time left (decoding 100 million pixels from a 782 KB
// file): the command ends whether the decoding stops or the watchdog ends the process. A script on
// standard input whose writer keeps it open and never ends it: the command ends all the same.
TEST(HostileInput, TheRealToolEndsWithinItsTimeLimit)
{
    const std::string dir = folder("stuck");
    const std::string picture = dir + "huge.bmp";
    ASSERT_TRUE(writeFileAtomically(picture, runLengthBitmap(10000, 10000)));
    uint32_t loadLine = 0;
    const std::string path = writeRun(dir + "stuck.qel", [&](ProgramBuilder& b, const Written& w) {
        b.add("DeclareVariable", variableFields("Bitmap", "B"));
        loadLine = w.here();
        b.add("BitmapLoad", {quoted(picture), "B", "", ""});
    });
    expectTimeoutWithin(path + " --timeout 0.3", endRecord("timeout", 0, loadLine));

    const std::string fifo = dir + "script";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const int writer = ::open(fifo.c_str(), O_RDWR);
    ASSERT_GE(writer, 0);
    ASSERT_EQ(::write(writer, "paint\n", 6), 6); // a first line, and never the end
    const std::string idle = writeRun(dir + "idle.qel", [](ProgramBuilder&, const Written&) {});
    expectTimeoutWithin(idle + " --timeout 0.5 --events - < " + fifo, endRecord("timeout", 0, 0));
    ::close(writer);
}

// A loop of message boxes and one writing a text file: what passes the output limit is not written,
// and the run ends at that line.
TEST(HostileInput, OutputPastItsLimitEndsTheRunAtTheLineThatPassedIt)
{
    const std::string dir = folder("output");
    const std::string file = dir + "out.txt";
    struct Loop {
        std::string instruction;
        std::vector<std::string> fields;
    };
    const Loop loops[] = {
        {"MessageBox", {"\"Hello\"", "1", "", "", "", "", "", "1", "", "", ""}},
        {"TextFileWrite", {"F", "S", "", "", "1"}},
    };
    for (const Loop& loop : loops) {
        const std::string& instruction = loop.instruction;
        uint32_t looping = 0;
        const std::string path = writeRun(dir + instruction + ".qel", [&](ProgramBuilder& b, const Written& w) {
            b.add("DeclareVariable", variableFields("File", "F"))
                .add("DeclareVariable", variableFields("String", "S", "\"0123456789\""))
                .add("DeclareVariable", variableFields("Integer", "Never", "0"))
                .add("TextFileOpen", {"F", quoted(file), "", "1"})
                .add("While", {"Never", "Less Than", "1"});
            looping = w.here();
            b.add(instruction, loop.fields).add("EndWhile");
        });
        const RunOutput r = runTool({"run", path, "--output-limit", "1", "--timeout", "60"});
        EXPECT_EQ(r.status, 1) << instruction;
        ASSERT_GE(r.lines.size(), 2u) << instruction;
        EXPECT_EQ(r.lines.end()[-2],
                  "{\"message\": \"RUN TIME ERROR\\n\\nOutput limit reached\", \"icon\": \"error\"}");
        EXPECT_EQ(r.lines.back(), endRecord("error", 0, looping)) << instruction;
        uint64_t written = fs::file_size(file);
        for (size_t k = 0; k + 2 < r.lines.size(); ++k)
            written += r.lines[k].size() + 1;
        EXPECT_LE(written, uint64_t{1} << 20) << instruction;
        EXPECT_GT(written, (uint64_t{1} << 20) - 100) << instruction;
    }
}

TEST(HostileInput, TheWatchdogInterruptsAtTheDeadlineAndEndsARunThatWillNotStop)
{
    using Clock = RunWatchdog::Clock;
    std::atomic<int> deadlines = 0, lastResorts = 0;
    {
        RunWatchdog finished(
            Clock::now() + std::chrono::milliseconds(50), std::chrono::milliseconds(10), [&] { ++deadlines; },
            [&] { ++lastResorts; });
        finished.finish();
    }
    EXPECT_EQ(deadlines + lastResorts, 0);
    {
        RunWatchdog stuck(
            Clock::now() + std::chrono::milliseconds(20), std::chrono::milliseconds(20), [&] { ++deadlines; },
            [&] { ++lastResorts; });
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }
    EXPECT_EQ(deadlines, 1);
    EXPECT_EQ(lastResorts, 1);
}

TEST(HostileInput, SavesKeepTheFilesIdentityAndLeaveNothingBehind)
{
    const std::string dir = folder("saves");
    const std::vector<uint8_t> first = {'o', 'l', 'd'}, second = {'n', 'e', 'w'};
    auto contents = [](const std::string& path) {
        std::vector<uint8_t> bytes;
        EXPECT_TRUE(readWholeFile(path, bytes)) << path;
        return bytes;
    };
    auto entries = [&] {
        std::set<std::string> names;
        for (const auto& e : fs::directory_iterator(dir))
            names.insert(e.path().filename().string());
        return names;
    };

    // A private file stays private.
    const std::string secret = dir + "secret.qel";
    ASSERT_TRUE(writeFileAtomically(secret, first));
    ASSERT_EQ(::chmod(secret.c_str(), 0600), 0);
    ASSERT_TRUE(writeFileAtomically(secret, second));
    struct stat st {};
    ASSERT_EQ(::stat(secret.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    EXPECT_EQ(contents(secret), second);

    // A new file takes what the umask allows.
    const mode_t mask = ::umask(022);
    ASSERT_TRUE(writeFileAtomically(dir + "fresh.qel", first));
    ::umask(mask);
    ASSERT_EQ(::stat((dir + "fresh.qel").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0644u);

    // Through a link, the link's target is saved and the link stays a link; a dangling link makes
    // its target.
    fs::create_symlink("secret.qel", dir + "link.qel");
    ASSERT_TRUE(writeFileAtomically(dir + "link.qel", first));
    EXPECT_TRUE(fs::is_symlink(dir + "link.qel"));
    EXPECT_EQ(contents(secret), first);
    fs::create_symlink(dir + "made.qel", dir + "dangling.qel");
    ASSERT_TRUE(writeFileAtomically(dir + "dangling.qel", second));
    EXPECT_TRUE(fs::is_symlink(dir + "dangling.qel"));
    EXPECT_EQ(contents(dir + "made.qel"), second);

    // A link planted under the name the old saves used leads nowhere now.
    const std::string victim = dir + "victim";
    ASSERT_TRUE(writeFileAtomically(victim, first));
    fs::create_symlink(victim, secret + ".saving~");
    ASSERT_EQ(runTool({"new", secret}).status, 0);
    EXPECT_EQ(contents(victim), first);
    EXPECT_FALSE(fs::is_symlink(secret));

    // A save that cannot be made leaves everything as it was: no temporary files, the old file.
    fs::create_directories(dir + "folder.qel");
    EXPECT_FALSE(writeFileAtomically(dir + "folder.qel", second));
    EXPECT_FALSE(writeFileAtomically(dir + "missing/x.qel", second));
    fs::create_symlink("loop.qel", dir + "loop.qel");
    EXPECT_FALSE(writeFileAtomically(dir + "loop.qel", second));
    EXPECT_EQ(entries(), (std::set<std::string>{"dangling.qel", "folder.qel", "fresh.qel", "link.qel", "loop.qel",
                                                "made.qel", "secret.qel", "secret.qel.saving~", "victim"}));
}
