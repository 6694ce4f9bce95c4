// `qeltool run` with the files a program names: text files, bitmaps, sounds and documents found
// beside the program whatever the current folder, the file dialog answered by the script, and
// printed pages as a PDF file checked by its page count and by rendering a page.

#include "fileio/file_io.h"
#include "instructions/printing/printing.h"
#include "program/program_file.h"
#include "support/run_fixture.h"
#include "support/temp_files.h"
#include "support/tool_run.h"

#include <QImage>

#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <sys/wait.h>
#include <unistd.h>

using namespace qel;
using namespace qel::test;

namespace {

std::string saveProgram(Session& s, const std::string& path)
{
    EXPECT_TRUE(s.build.host.messages.empty()) << s.build.host.messages[0].text;
    EXPECT_TRUE(writeFileAtomically(path, storeProgram(s.program).value()));
    return path;
}

// The output of a command, or nothing when it failed.
std::optional<std::string> commandOutput(const std::string& command)
{
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe)
        return std::nullopt;
    std::string out;
    char buffer[256];
    while (size_t n = std::fread(buffer, 1, sizeof buffer, pipe))
        out.append(buffer, n);
    return ::pclose(pipe) == 0 ? std::optional(out) : std::nullopt;
}

// A 2 x 1 bitmap file, 24 bits a pixel.
std::string tinyBitmap()
{
    auto u32 = [](uint32_t v) { return std::string{char(v), char(v >> 8), char(v >> 16), char(v >> 24)}; };
    auto u16 = [](uint16_t v) { return std::string{char(v), char(v >> 8)}; };
    return "BM" + u32(62) + u32(0) + u32(54) + u32(40) + u32(2) + u32(1) + u16(1) + u16(24) + u32(0) + u32(8) + u32(0) +
           u32(0) + u32(0) + u32(0) + std::string(6, '\x7f') + std::string(2, '\0');
}

// Restores the current folder when it goes.
struct CurrentFolder {
    std::string saved = std::string(::getcwd(buffer, sizeof buffer));
    explicit CurrentFolder(const std::string& folder) { EXPECT_EQ(::chdir(folder.c_str()), 0); }
    ~CurrentFolder() { (void)!::chdir(saved.c_str()); }
    CurrentFolder(const CurrentFolder&) = delete;
    CurrentFolder& operator=(const CurrentFolder&) = delete;
    static inline char buffer[4096];
};

} // namespace

TEST(QeltoolFiles, FilesTheProgramNamesLieBesideItWhateverTheCurrentFolder)
{
    const std::string home = makeTempFolder(), elsewhere = makeTempFolder();
    writeBytes(home + "/in.txt", "Ann,12\r\n");
    writeBytes(home + "/ding.wav", waveBytes());
    writeBytes(home + "/notes.txt", "notes");
    writeBytes(home + "/pic.bmp", tinyBitmap());
    Session s;
    s.handlers();
    s.build.add("DeclareVariable", variableFields("File", "F"))
        .add("DeclareVariable", variableFields("String", "Line", "\"\""))
        .add("DeclareVariable", variableFields("String", "Chosen", "\"\""))
        .add("DeclareVariable", variableFields("Bitmap", "Pic"))
        .add("DeclareVariable", variableFields("Integer", "W", "0"))
        .add("TextFileOpen", {"F", "\"in.txt\"", "1", ""})
        .add("TextFileRead", {"F", "Line", "", ""})
        .add("TextFileClose", {"F"})
        .add("TextFileOpen", {"F", "\"out.txt\"", "", "1"})
        .add("TextFileWrite", {"F", "Line", "", "", "1"})
        .add("BitmapLoad", {"\"pic.bmp\"", "Pic", "W", ""})
        .add("PlayWave", {"\"ding.wav\""})
        .add("OpenDoc", {"\"notes.txt\""})
        .add("OpenSaveLoadDlg", {"Chosen", "", "1"});
    const std::string program = saveProgram(s, home + "/prog.qel");

    CurrentFolder inside(elsewhere);
    RunOutput r = runTool({"run", program, "--events", "-", "--vars"}, "file /tmp/chosen.txt\nstop\n");
    ASSERT_EQ(r.status, 0) << r.err;
    ASSERT_EQ(r.lines.size(), 4u);
    EXPECT_EQ(r.lines[0], "{\"sound\": \"" + home + "/ding.wav\"}");
    EXPECT_EQ(r.lines[1], "{\"document\": \"" + home + "/notes.txt\"}");
    EXPECT_NE(r.lines[3].find("\"values\": [\"/tmp/chosen.txt\"]"), std::string::npos);
    EXPECT_NE(r.lines[3].find("{\"name\": \"W\", \"type\": \"Integer\", \"dims\": \"\", \"values\": [2]}"),
              std::string::npos);
    EXPECT_EQ(readBytes(home + "/out.txt"), "Ann,12\r\n"); // closed and complete at the run's end
    EXPECT_FALSE(std::ifstream(elsewhere + "/out.txt").good());

    RunOutput cancelled = runTool({"run", program, "--events", "-", "--vars"}, "file\n");
    ASSERT_EQ(cancelled.status, 0) << cancelled.err;
    EXPECT_NE(
        cancelled.lines.back().find("{\"name\": \"Chosen\", \"type\": \"String\", \"dims\": \"\", \"values\": [\"\"]}"),
        std::string::npos);
}

// Two pages: a red square on the first, a blue one on the second; the window's repaint in between
// still draws on the window; the run's end finishes the job.
TEST(QeltoolFiles, PrintedPagesBecomeAPdfWithThePagesDrawn)
{
    ASSERT_TRUE(commandOutput("command -v pdftoppm pdfinfo")) << "poppler-utils is missing: run scripts/setup.sh";
    const std::string home = makeTempFolder(), pages = makeTempFolder();
    Session s;
    s.handlers();
    s.build.add("DeclareVariable", variableFields("Integer", "W", "0"))
        .add("DeclareVariable", variableFields("Integer", "H", "0"))
        .add("PrintStart")
        .add("WindowGetSize", {"W", "H"})
        .add("DrawRect", {"300", "300", "900", "900", "1", "Red", "Red", "", "1"})
        .add("PrintEject")
        .add("DrawRect", {"300", "300", "900", "900", "1", "Blue", "Blue", "", "1"});
    s.build.section(kPaint).add("WindowClear", {"Green"});
    const std::string program = saveProgram(s, home + "/drawing.qel");

    const std::string png = home + "/window.png";
    RunOutput r =
        runTool({"run", program, "--print-dir", pages, "--events", "-", "--vars", "--snapshot", png}, "paint\nstop\n");
    ASSERT_EQ(r.status, 0) << r.err;
    ASSERT_EQ(r.lines.size(), 3u);
    const std::string prefix = "{\"printed\": \"" + pages + "/drawing-";
    ASSERT_EQ(r.lines[0].substr(0, prefix.size()), prefix);
    const std::string pdf = r.lines[0].substr(13, r.lines[0].find("\", \"pages\"") - 13);
    EXPECT_EQ(r.lines[0].substr(r.lines[0].size() - 11), "\"pages\": 2}");
    // A4 at 300 dots per inch, a millimetre less each way.
    EXPECT_NE(r.lines[2].find("\"values\": [2468]"), std::string::npos);
    EXPECT_NE(r.lines[2].find("\"values\": [3496]"), std::string::npos);
    EXPECT_EQ(QImage(QString::fromStdString(png)).pixel(5, 5), qRgb(0, 128, 0)); // the repaint drew there

    const std::optional<std::string> info = commandOutput("pdfinfo '" + pdf + "'");
    ASSERT_TRUE(info);
    const size_t pagesAt = info->find("Pages:");
    ASSERT_NE(pagesAt, std::string::npos) << *info;
    EXPECT_EQ(std::stoi(info->substr(pagesAt + 6)), 2) << *info;
    ASSERT_TRUE(commandOutput("pdftoppm -r 30 -png '" + pdf + "' '" + home + "/page'"));
    const QImage first(QString::fromStdString(home + "/page-1.png")),
        second(QString::fromStdString(home + "/page-2.png"));
    ASSERT_EQ(first.size(), QSize(248, 351)); // A4 at 30 dots per inch
    // The squares cover pixels 300 to 900 of the page: 30 to 90 at 30 dots per inch, half a
    // millimetre in from the sheet's corner.
    auto near = [](QRgb a, QRgb b) {
        return std::abs(qRed(a) - qRed(b)) < 12 && std::abs(qGreen(a) - qGreen(b)) < 12 &&
               std::abs(qBlue(a) - qBlue(b)) < 12;
    };
    EXPECT_TRUE(near(first.pixel(60, 60), qRgb(150, 0, 0)));
    EXPECT_TRUE(near(first.pixel(33, 88), qRgb(150, 0, 0)));
    EXPECT_TRUE(near(first.pixel(28, 60), qRgb(255, 255, 255)));
    EXPECT_TRUE(near(first.pixel(93, 60), qRgb(255, 255, 255)));
    EXPECT_TRUE(near(second.pixel(60, 60), qRgb(0, 0, 128)));

    EXPECT_EQ(runTool({"run", program, "--print-dir", home + "/missing"}).status, 2);
}

namespace {

// What a shell command printed (standard error too) and its exit status.
struct Finished {
    int status = -1;
    std::string out;
};

Finished finish(FILE* pipe)
{
    Finished f;
    char buffer[256];
    while (size_t n = std::fread(buffer, 1, sizeof buffer, pipe))
        f.out.append(buffer, n);
    const int status = ::pclose(pipe);
    f.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return f;
}

// A program printing three pages, each with a square of its own colour.
std::string threePagePrinter(const std::string& path)
{
    Session s;
    s.handlers();
    s.build.add("PrintStart")
        .add("DrawRect", {"300", "300", "900", "900", "1", "Red", "Red", "", "1"})
        .add("PrintEject")
        .add("DrawRect", {"300", "300", "900", "900", "1", "Blue", "Blue", "", "1"})
        .add("PrintEject")
        .add("DrawRect", {"300", "300", "900", "900", "1", "Green", "Green", "", "1"})
        .add("PrintStop");
    return saveProgram(s, path);
}

} // namespace

// Runs started in the same second share the print folder: each claims a file of its own, and every
// file is a whole PDF. A write that fails (here the file size limit) is the printing run-time
// error and no `printed` record, and leaves no file; the same holds for `qel --print`, which never
// waits on a window without a display.
TEST(QeltoolFiles, PrintRunsAtOnceGetWholeFilesOfTheirOwnAndAFailedWriteIsAnError)
{
    ASSERT_TRUE(commandOutput("command -v qpdf")) << "qpdf is missing: run scripts/setup.sh";
    const std::string home = makeTempFolder(), pages = makeTempFolder();
    const std::string program = threePagePrinter(home + "/three.qel");
    constexpr int kRuns = 20;
    std::vector<FILE*> runs;
    for (int k = 0; k < kRuns; ++k)
        runs.push_back(::popen((std::string(QEL_TOOL) + " run " + program + " --print-dir " + pages).c_str(), "r"));
    std::set<std::string> printed;
    for (FILE* run : runs) {
        ASSERT_NE(run, nullptr);
        const Finished f = finish(run);
        ASSERT_EQ(f.status, 0) << f.out;
        const size_t at = f.out.find("{\"printed\": \"");
        ASSERT_NE(at, std::string::npos) << f.out;
        const size_t end = f.out.find("\", \"pages\": 3}", at);
        ASSERT_NE(end, std::string::npos) << f.out;
        printed.insert(f.out.substr(at + 13, end - at - 13));
    }
    EXPECT_EQ(printed.size(), size_t{kRuns});
    std::optional<std::string> listed = commandOutput("ls '" + pages + "' | wc -l");
    ASSERT_TRUE(listed);
    EXPECT_EQ(std::stoi(*listed), kRuns);
    for (const std::string& pdf : printed)
        EXPECT_TRUE(commandOutput("qpdf --check '" + pdf + "' >/dev/null 2>&1")) << pdf;

    // A shell that ignores the signal of a too-large file, so that the write itself fails.
    auto limited = [](const std::string& command) {
        return finish(::popen(("trap '' XFSZ; ulimit -f 1; exec " + command + " 2>&1").c_str(), "r"));
    };
    const std::string full = makeTempFolder();
    const Finished failed = limited(std::string(QEL_TOOL) + " run " + program + " --print-dir " + full);
    EXPECT_EQ(failed.status, 1) << failed.out;
    EXPECT_EQ(failed.out.find("printed"), std::string::npos) << failed.out;
    // The page that did not fit, or the end of the job when every page fitted in the buffer.
    EXPECT_NE(failed.out.find("\"end\": \"error\""), std::string::npos) << failed.out;
    EXPECT_TRUE(failed.out.find(print_msg::kCannotEndPage) != std::string::npos ||
                failed.out.find(print_msg::kCannotEnd) != std::string::npos)
        << failed.out;
    EXPECT_EQ(commandOutput("ls -A '" + full + "'"), std::optional<std::string>(""));

    const std::string qel = std::string(QEL_APP) + " --print ";
    const std::string noDisplay = "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM timeout 20 ";
    const Finished missing = finish(::popen((noDisplay + qel + home + "/missing.qel 2>&1").c_str(), "r"));
    EXPECT_EQ(missing.status, 1) << missing.out;
    EXPECT_NE(missing.out.find("Unable to open the file " + home + "/missing.qel."), std::string::npos) << missing.out;
    const Finished unwritten = limited(noDisplay + qel + program);
    EXPECT_EQ(unwritten.status, 1) << unwritten.out;
    EXPECT_NE(unwritten.out.find("Unable to print: " + home + "/three-"), std::string::npos) << unwritten.out;
    const Finished listing = finish(::popen((noDisplay + qel + program + " 2>&1").c_str(), "r"));
    EXPECT_EQ(listing.status, 0) << listing.out;
    const size_t at = listing.out.find("Printed to " + home + "/three-");
    ASSERT_NE(at, std::string::npos) << listing.out;
    const std::string pdf = listing.out.substr(at + 11, listing.out.find('\n', at) - at - 11);
    EXPECT_TRUE(commandOutput("qpdf --check '" + pdf + "' >/dev/null 2>&1")) << pdf;
}
