// `qeltool run` with the files a program names: text files, bitmaps, sounds and documents found
// beside the program whatever the current folder, the file dialog answered by the script, and
// printed pages as a PDF file checked by its page count and by rendering a page.

#include "app/json_writer.h"
#include "app/sandbox.h"
#include "app_support.h"
#include "instructions/printing/printing.h"
#include "support/form_files.h"

#include <QImage>

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

using namespace qel;
using namespace qel::test;

namespace {

// Restores the current folder when it goes.
struct CurrentFolder {
    std::string saved = std::string(::getcwd(buffer, sizeof buffer));
    explicit CurrentFolder(const std::string& folder) { EXPECT_EQ(::chdir(folder.c_str()), 0); }
    ~CurrentFolder() { (void)!::chdir(saved.c_str()); }
    CurrentFolder(const CurrentFolder&) = delete;
    CurrentFolder& operator=(const CurrentFolder&) = delete;
    static inline char buffer[4096];
};

bool holdsFile(const std::string& path) { return std::ifstream(path).good(); }

} // namespace

// The program lies in a folder whose name is not ASCII: the records name its files with each
// character once.
TEST(QeltoolFiles, FilesTheProgramNamesLieBesideItWhateverTheCurrentFolder)
{
    const std::string temp = makeTempFolder(), home = temp + "/dossier-\xc3\xa9", elsewhere = makeTempFolder();
    const std::string homeJson = temp + "/dossier-\\u00e9";
    ASSERT_EQ(::mkdir(home.c_str(), 0700), 0);
    writeBytes(home + "/in.txt", std::string("Ann,12\r\n"));
    writeBytes(home + "/ding.wav", waveBytes());
    writeBytes(home + "/notes.txt", std::string("notes"));
    ASSERT_TRUE(writeFileAtomically(home + "/pic.bmp", bitmap24(2, 1, 0x7f7f7f)));
    // A form whose image cannot be read: the message names the file.
    FormObjects form = newForm("Pictures");
    form.push_back(formObject(form, object_type::kImage, 0, 0));
    form[1].caption = "missing.bmp";
    writeForm(home + "/pic.frm", form);
    const std::string program = saveProgram(home + "/prog.qel", [](Session& s) {
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
            .add("OpenSaveLoadDlg", {"Chosen", "", "1"})
            .add("OpenForm2", {"\"pic.frm\""})
            .add("PrintStart")
            .add("DrawRect", {"300", "300", "900", "900", "1", "Red", "Red", "", "1"});
    });

    CurrentFolder inside(elsewhere);
    RunOutput r = runTool({"run", program, "--events", "-", "--vars"}, "file in\nstop\n");
    ASSERT_EQ(r.status, 0) << r.err;
    ASSERT_EQ(r.lines.size(), 6u);
    EXPECT_EQ(r.lines[0], "{\"sound\": \"" + homeJson + "/ding.wav\"}");
    EXPECT_EQ(r.lines[1], "{\"document\": \"" + homeJson + "/notes.txt\"}");
    EXPECT_EQ(
        r.lines[2],
        messageRecord("Failed to open the bitmap specified as a graph item:" + homeJson + "/missing.bmp", "error"));
    EXPECT_EQ(r.lines[3].rfind("{\"printed\": \"" + homeJson + "/prog-", 0), 0u) << r.lines[3];
    EXPECT_TRUE(holds(r.lines[5], {"\"values\": [\"" + homeJson + "/in.txt\"]", varRecord("W", "Integer", "2")}));
    EXPECT_EQ(readBytes(home + "/out.txt"), "Ann,12\r\n"); // closed and complete at the run's end
    EXPECT_FALSE(holdsFile(elsewhere + "/out.txt"));
}

// The script's `file` lines answer the file dialog as the desktop's dialog would: an existing file
// (".txt" added to a name without one) by its full path, for Load and Save; a name the dialog refuses
// is its message, and the next `file` line answers; none left is a Cancel.
TEST(QeltoolFiles, TheFileDialogTakesOnlyWhatTheDesktopsDialogTakes)
{
    const std::string home = makeTempFolder();
    for (const char* name : {"/exists.txt", "/marks.txt", "/caf\xc3\xa9.txt"})
        writeBytes(home + name, std::string("x"));
    ASSERT_TRUE(std::filesystem::create_directory(home + "/sub"));
    ASSERT_EQ(::mkfifo((home + "/pipe.txt").c_str(), 0600), 0);
    const std::string program = saveProgram(home + "/prog.qel", [](Session& s) {
        s.build.add("DeclareVariable", variableFields("String", "Loaded", "\"old\""))
            .add("DeclareVariable", variableFields("String", "Saved", "\"old\""))
            .add("OpenSaveLoadDlg", {"Loaded", "", "1"})
            .add("OpenSaveLoadDlg", {"Saved", "1", ""});
    });
    const auto refusal = [](const std::string& name, std::string_view why) {
        return "{\"message\": " + jsonString(name + "\n" + std::string(why)) + ", \"icon\": \"exclamation\"}";
    };
    const std::string notFound = "File not found.\nPlease verify the correct file name was given.";
    const std::string notAFile = "This is a folder or a device, not a file.";
    struct Case {
        std::string script;
        std::string loaded, saved;
        std::vector<std::string> messages;
    };
    const Case cases[] = {
        {"file exists.txt\nfile marks\n", home + "/exists.txt", home + "/marks.txt", {}},
        {"file " + home + "/sub/../exists\nfile " + home + "/marks.txt\n",
         home + "/exists.txt",
         home + "/marks.txt",
         {}},
        {"file missing.txt\nfile sub\nfile exists.txt\nfile sub\nfile new\n",
         home + "/exists.txt",
         home + "/new.txt", // Save takes a new name
         {refusal("missing.txt", notFound), refusal("sub", notAFile), refusal("sub", notAFile)}},
        {"file nowhere/exists.txt\nfile\n",
         "",
         "",
         {refusal("nowhere/exists.txt", "Path does not exist.\nPlease verify the correct path was given.")}},
        {"file caf\xc3\xa9\n", home + "/caf\\u00e9.txt", "", {}}, // the program's Latin-1 text, both ways
        {"file pipe.txt\n", "", "", {refusal("pipe.txt", notAFile)}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.script);
        RunOutput r = runTool({"run", program, "--events", "-", "--vars"}, c.script);
        ASSERT_EQ(r.status, 0) << r.err;
        ASSERT_EQ(r.lines.size(), c.messages.size() + 2);
        EXPECT_EQ(std::vector<std::string>(r.lines.begin(), r.lines.end() - 2), c.messages);
        EXPECT_TRUE(holds(r.lines.back(), {varRecord("Loaded", "String", quoted(c.loaded)),
                                           varRecord("Saved", "String", quoted(c.saved))}));
    }
}

// Two pages: a red square on the first, a blue one on the second; the window's repaint in between
// still draws on the window; the run's end finishes the job.
TEST(QeltoolFiles, PrintedPagesBecomeAPdfWithThePagesDrawn)
{
    ASSERT_EQ(shell("command -v pdftoppm").status, 0) << "poppler-utils is missing: run scripts/setup.sh";
    const std::string home = makeTempFolder(), pages = makeTempFolder(), png = home + "/window.png";
    const std::string program = saveProgram(home + "/drawing.qel", [](Session& s) {
        s.build.add("DeclareVariable", variableFields("Integer", "W", "0"))
            .add("DeclareVariable", variableFields("Integer", "H", "0"))
            .add("PrintStart")
            .add("WindowGetSize", {"W", "H"})
            .add("DrawRect", {"300", "300", "900", "900", "1", "Red", "Red", "", "1"})
            .add("PrintEject")
            .add("DrawRect", {"300", "300", "900", "900", "1", "Blue", "Blue", "", "1"});
        s.build.section(kPaint).add("WindowClear", {"Green"});
    });
    RunOutput r =
        runTool({"run", program, "--print-dir", pages, "--events", "-", "--vars", "--snapshot", png}, "paint\nstop\n");
    ASSERT_EQ(r.status, 0) << r.err;
    ASSERT_EQ(r.lines.size(), 3u);
    const std::string prefix = "{\"printed\": \"" + pages + "/drawing-";
    ASSERT_EQ(r.lines[0].substr(0, prefix.size()), prefix);
    const std::string pdf = r.lines[0].substr(13, r.lines[0].find("\", \"pages\"") - 13);
    EXPECT_EQ(r.lines[0].substr(r.lines[0].size() - 11), "\"pages\": 2}");
    // A4 at 300 dots per inch, a millimetre less each way.
    EXPECT_TRUE(holds(r.lines[2], {varRecord("W", "Integer", "2468"), varRecord("H", "Integer", "3496")}));
    EXPECT_EQ(QImage(QString::fromStdString(png)).pixel(5, 5), qRgb(0, 128, 0)); // the repaint drew there

    // Exactly two pages rendered, whatever the record says.
    ASSERT_EQ(shell("pdftoppm -r 30 -png '" + pdf + "' '" + home + "/page'").status, 0);
    EXPECT_FALSE(holdsFile(home + "/page-3.png"));
    const QImage page[] = {QImage(QString::fromStdString(home + "/page-1.png")),
                           QImage(QString::fromStdString(home + "/page-2.png"))};
    ASSERT_EQ(page[0].size(), QSize(248, 351)); // A4 at 30 dots per inch
    // The squares cover pixels 300 to 900 of the page: 30 to 90 at 30 dots per inch, half a
    // millimetre in from the sheet's corner.
    const struct {
        int page, x, y;
        QRgb colour;
    } pixels[] = {{0, 60, 60, qRgb(150, 0, 0)},
                  {0, 33, 88, qRgb(150, 0, 0)},
                  {0, 28, 60, qRgb(255, 255, 255)},
                  {0, 93, 60, qRgb(255, 255, 255)},
                  {1, 60, 60, qRgb(0, 0, 128)}};
    for (const auto& p : pixels) {
        const QRgb seen = page[p.page].pixel(p.x, p.y);
        EXPECT_TRUE(std::abs(qRed(seen) - qRed(p.colour)) < 12 && std::abs(qGreen(seen) - qGreen(p.colour)) < 12 &&
                    std::abs(qBlue(seen) - qBlue(p.colour)) < 12)
            << "page " << p.page + 1 << " at " << p.x << "," << p.y << ": " << std::hex << seen;
    }
    EXPECT_EQ(runTool({"run", program, "--print-dir", home + "/missing"}).status, 2);
}

// Under the sandbox a program reads and writes beside it; a file elsewhere, named outright, through
// "..", or through a link planted beside it, fails with the instruction's own error, and nothing
// outside is made or changed.
TEST(QeltoolFiles, TheSandboxKeepsAProgramInsideItsFolder)
{
    if (const Result<int> version = landlockVersion(); !version)
        GTEST_SKIP() << version.failureText();
    const std::string outside = makeTempFolder(), home = outside + "/home";
    ASSERT_EQ(::mkdir(home.c_str(), 0700), 0);
    writeBytes(outside + "/secret.txt", std::string("secret"));
    writeBytes(home + "/in.txt", std::string("Ann,12\r\n"));
    ASSERT_EQ(::symlink((outside + "/secret.txt").c_str(), (home + "/planted.txt").c_str()), 0);
    ASSERT_EQ(::symlink((outside + "/gone.txt").c_str(), (home + "/dangling.txt").c_str()), 0);
    const struct {
        const char* name;
        bool reading;
        bool opens;
    } cases[] = {
        {"in.txt", true, true},         {"out.txt", false, true},     {"/etc/passwd", true, false},
        {"../x.txt", false, false},     {"planted.txt", true, false}, {"planted.txt", false, false},
        {"dangling.txt", false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.name) + (c.reading ? " reading" : " writing"));
        const std::string program = saveProgram(home + "/prog.qel", [&](Session& s) {
            s.build.add("DeclareVariable", variableFields("File", "F"))
                .add("TextFileOpen", {"F", quoted(c.name), c.reading ? "1" : "", c.reading ? "" : "1"});
        });
        const RunOutput r = runToolProcess({"run", program, "--sandbox"});
        EXPECT_EQ(r.status, c.opens ? 0 : 1) << r.err;
        ASSERT_FALSE(r.lines.empty()) << r.err;
        EXPECT_EQ(r.lines[0], c.opens ? kFinished : errorRecord("Unable to open the file specified."));
    }
    EXPECT_EQ(readBytes(outside + "/secret.txt"), "secret");
    EXPECT_FALSE(holdsFile(outside + "/x.txt"));
    EXPECT_FALSE(holdsFile(outside + "/gone.txt"));
    EXPECT_TRUE(holdsFile(home + "/out.txt"));
}

// A link planted at the snapshot's name, beside the program or in a folder of its own, is replaced
// by the picture; the file it leads to is untouched and a dangling one's target is not made. With
// and without the sandbox, which leaves the final rename to a process outside it.
TEST(QeltoolFiles, TheSnapshotReplacesALinkPlantedAtItsName)
{
    for (const bool sandbox : {false, true}) {
        SCOPED_TRACE(sandbox ? "sandbox" : "");
        if (const Result<int> version = landlockVersion(); sandbox && !version)
            GTEST_SKIP() << version.failureText();
        const std::string outside = makeTempFolder(), home = outside + "/home", shots = outside + "/shots";
        const std::string secret = outside + "/private.txt";
        ASSERT_EQ(::mkdir(home.c_str(), 0700), 0);
        ASSERT_EQ(::mkdir(shots.c_str(), 0700), 0);
        writeBytes(secret, std::string("private"));
        ASSERT_EQ(::chmod(secret.c_str(), 0600), 0);
        ASSERT_EQ(::symlink(secret.c_str(), (home + "/shot.png").c_str()), 0);
        ASSERT_EQ(::symlink((outside + "/none.png").c_str(), (shots + "/shot.png").c_str()), 0);
        const std::string program =
            saveProgram(home + "/prog.qel", [](Session& s) { s.build.section(kPaint).add("WindowClear", {"Green"}); });
        for (const std::string& shot : {home + "/shot.png", shots + "/shot.png"}) {
            const std::vector<std::string> args = {"run", program, "--snapshot", shot};
            const RunOutput r = runToolProcess(sandbox ? withSandbox(args) : args);
            ASSERT_EQ(r.status, 0) << r.err;
            struct stat info {};
            ASSERT_EQ(::lstat(shot.c_str(), &info), 0);
            EXPECT_TRUE(S_ISREG(info.st_mode)) << shot;
            EXPECT_EQ(QImage(QString::fromStdString(shot)).pixel(5, 5), qRgb(0, 128, 0)) << shot;
        }
        EXPECT_EQ(readBytes(secret), "private");
        struct stat info {};
        ASSERT_EQ(::stat(secret.c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 0777, 0600u);
        EXPECT_FALSE(holdsFile(outside + "/none.png"));
        // Nothing else is left beside the pictures.
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(shots), {}), 1);
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(home), {}), 2);
    }
}

// Runs started in the same second share the print folder: each claims a file of its own, and every
// file is a whole PDF. A write that fails (here the file size limit) is the printing run-time
// error and no `printed` record, and leaves no file; the same holds for `qel --print`, which never
// waits on a window without a display.
TEST(QeltoolFiles, PrintRunsAtOnceGetWholeFilesOfTheirOwnAndAFailedWriteIsAnError)
{
    ASSERT_EQ(shell("command -v qpdf").status, 0) << "qpdf is missing: run scripts/setup.sh";
    const std::string home = makeTempFolder(), pages = makeTempFolder();
    // Three pages, each with a square of its own colour.
    const std::string program = saveProgram(home + "/three.qel", [](Session& s) {
        s.build.add("PrintStart")
            .add("DrawRect", {"300", "300", "900", "900", "1", "Red", "Red", "", "1"})
            .add("PrintEject")
            .add("DrawRect", {"300", "300", "900", "900", "1", "Blue", "Blue", "", "1"})
            .add("PrintEject")
            .add("DrawRect", {"300", "300", "900", "900", "1", "Green", "Green", "", "1"})
            .add("PrintStop");
    });
    constexpr int kRuns = 20;
    std::vector<FILE*> runs;
    for (int k = 0; k < kRuns; ++k)
        runs.push_back(::popen((std::string(QEL_TOOL) + " run " + program + " --print-dir " + pages).c_str(), "r"));
    std::set<std::string> printed;
    for (FILE* run : runs) {
        ASSERT_NE(run, nullptr);
        const Shell f = finish(run);
        ASSERT_EQ(f.status, 0) << f.out;
        const size_t at = f.out.find("{\"printed\": \"");
        ASSERT_NE(at, std::string::npos) << f.out;
        const size_t end = f.out.find("\", \"pages\": 3}", at);
        ASSERT_NE(end, std::string::npos) << f.out;
        printed.insert(f.out.substr(at + 13, end - at - 13));
    }
    EXPECT_EQ(printed.size(), size_t{kRuns});
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(pages), {}), kRuns);
    auto whole = [](const std::string& pdf) { return shell("qpdf --check '" + pdf + "' >/dev/null 2>&1").status == 0; };
    for (const std::string& pdf : printed)
        EXPECT_TRUE(whole(pdf)) << pdf;

    // A shell that ignores the signal of a too-large file, so that the write itself fails.
    auto limited = [](const std::string& command) {
        return shell("trap '' XFSZ; ulimit -f 1; exec " + command + " 2>&1");
    };
    const std::string full = makeTempFolder();
    const Shell failed = limited(std::string(QEL_TOOL) + " run " + program + " --print-dir " + full);
    EXPECT_EQ(failed.status, 1) << failed.out;
    EXPECT_EQ(failed.out.find("printed"), std::string::npos) << failed.out;
    // The page that did not fit, or the end of the job when every page fitted in the buffer.
    EXPECT_NE(failed.out.find("\"end\": \"error\""), std::string::npos) << failed.out;
    EXPECT_TRUE(failed.out.find(print_msg::kCannotEndPage) != std::string::npos ||
                failed.out.find(print_msg::kCannotEnd) != std::string::npos)
        << failed.out;
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(full), {}), 0);

    const std::string qel = "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM timeout 20 " QEL_APP " --print ";
    const Shell missing = shell(qel + home + "/missing.qel 2>&1");
    EXPECT_EQ(missing.status, 1) << missing.out;
    EXPECT_NE(missing.out.find("Unable to open the file " + home + "/missing.qel."), std::string::npos) << missing.out;
    const Shell unwritten = limited(qel + program);
    EXPECT_EQ(unwritten.status, 1) << unwritten.out;
    EXPECT_NE(unwritten.out.find("Unable to print: " + home + "/three-"), std::string::npos) << unwritten.out;
    const Shell listing = shell(qel + program + " 2>&1");
    EXPECT_EQ(listing.status, 0) << listing.out;
    const size_t at = listing.out.find("Printed to " + home + "/three-");
    ASSERT_NE(at, std::string::npos) << listing.out;
    EXPECT_TRUE(whole(listing.out.substr(at + 11, listing.out.find('\n', at) - at - 11))) << listing.out;
}
