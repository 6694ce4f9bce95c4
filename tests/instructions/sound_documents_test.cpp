// PlayWave, OpenDoc and OpenSaveLoadDlg: what they hand to the desktop, the files they accept, and
// their editors.

#include "instruction_checks.h"
#include "instructions/documents/documents.h"
#include "instructions/sound/play_wave.h"
#include "support/temp_files.h"

#include <sys/stat.h>

using namespace qel;
using namespace qel::test;

namespace {

struct DesktopCalls : RunFixture {
    std::string dir = makeTempFolder();
    DesktopCalls() { programPath = dir + "/game.qel"; }
    std::string path(const std::string& name) const { return dir + "/" + name; }
};

} // namespace

TEST_F(DesktopCalls, OnlyRealWaveFilesPlay)
{
    // Which files are playable the desktop call tests check; here, what the instruction hands over.
    writeBytes(path("ding.wav"), waveBytes(800, true));
    writeBytes(path("text.wav"), "RIFF but not really\n");
    handlers();
    add(build,
        {declare("String", {"Sound=\"text.wav\""}), line("PlayWave", {"\"ding.wav\""}), line("PlayWave", {"Sound"})});
    EXPECT_EQ(build.last().text, "PlayWaveFile Sound");
    start();
    EXPECT_EQ(host.sounds, Texts{path("ding.wav")}); // found beside the program
    EXPECT_EQ(errors(), Texts{runErrorText(kUnableToPlaySound)});
    EXPECT_GE(host.soundStops, 1); // the run's end silences it

    EXPECT_EQ(CaseRun({declare("Integer", {"N=0"}), line("PlayWave", {"N"})}).errors(),
              Texts{runErrorText("Expecting variable of type String but found variable - N")});
}

TEST_F(DesktopCalls, DocumentsAreExistingFilesOrWebAndMailAddressesNeverPrograms)
{
    for (const auto& [name, bytes] : {std::pair{"notes.txt", "hello"},
                                      {"launch.desktop", "[Desktop Entry]\n"},
                                      {"script.txt", "#!/bin/sh\necho\n"},
                                      {"tool", "plain"},
                                      {"entry", "\n# no extension\n[Desktop Entry]\nExec=sh\n"},
                                      {"old.kdelnk", "plain"},
                                      {"app.desktop ", "plain"}})
        writeBytes(path(name), bytes);
    chmod(path("tool").c_str(), 0755);
    const std::string program = dir + "/game.qel";
    auto target = [&](std::string_view name) {
        auto t = documentTarget(name, program);
        return t ? (t->isAddress ? "address " : "file ") + t->target : std::string("none");
    };
    EXPECT_EQ(target("notes.txt"), "file " + path("notes.txt"));
    EXPECT_EQ(target(path("notes.txt")), "file " + path("notes.txt"));
    for (const std::string address :
         {"HTTPS://example.org/a b", "mailto:someone@example.org", "mailto:a@b.org?subject=attach&body=attachment"})
        EXPECT_EQ(target(address), "address " + address);
    for (const char* refused :
         {"missing.txt", "launch.desktop", "script.txt", "tool", "entry", "old.kdelnk", "app.desktop ", ".",
          "ftp://example.org", "http://", "https://a\nb", "file:///etc/passwd", "", "mailto:a@b.org?attach=/etc/passwd",
          "MAILTO:a@b.org?subject=x&Attachment=~/.ssh/id_rsa", "mailto:a@b.org?subject=x; attach =f",
          "mailto:a@b.org?%2561ttach=f", "mailto:a@b.org%3Fattachment=f"})
        EXPECT_EQ(target(refused), "none") << refused;

    handlers();
    add(build, {line("OpenDoc", {"\"notes.txt\""}), line("OpenDoc", {"\"missing.txt\""}),
                line("OpenDoc", {"\"http://x.org\""})});
    EXPECT_EQ(build.last().text, "OpenDocument \"http://x.org\"");
    EXPECT_TRUE(startsCleanly(*this)); // what cannot be opened is not the program's error
    EXPECT_EQ(host.documents, (Texts{"file " + path("notes.txt"), "address http://x.org"}));
}

TEST_F(DesktopCalls, FileDialogStartsBesideTheProgramAndStoresThePathOrNothingAndTheEditorsRoundTrip)
{
    handlers();
    add(build, {declare("String", {"Path=\"old\"", "Other=\"old\""}), line("OpenSaveLoadDlg", {"Path", "", "1"}),
                line("OpenSaveLoadDlg", {"Other", "1", ""})});
    EXPECT_EQ(build.last().text, "OpenSaveLoadDlg Other,Save");
    host.fileAnswers = {std::string("/data/scores.txt"), std::nullopt};
    EXPECT_TRUE(startsCleanly(*this));
    EXPECT_EQ(text("Path"), "/data/scores.txt");
    EXPECT_EQ(text("Other"), ""); // Cancel
    EXPECT_EQ(host.fileDialogs, (std::vector<std::pair<bool, std::string>>{{true, dir}, {false, dir}}));

    const Line dialog = line("OpenSaveLoadDlg", {"N", "1", ""});
    EXPECT_EQ(CaseRun({declare("Integer", {"N=0"}), dialog}).errors(),
              Texts{runErrorText("Expecting variable of type STRING but found variable - N")});
    EXPECT_EQ(CaseRun({dialog}).errors(), Texts{runErrorText("Reference to undeclared variable - N")});

    // The editors decode what they build and refuse wrong fields.
    EditContext context{program, variables, nullptr};
    const std::string notNamed = "Variable or string literal required.";
    expectEditorRows(context, {{kPlayWave, {"12"}, 0, notNamed},
                               {kOpenDoc, {"12"}, 0, notNamed},
                               {kPlayWave, {"Names(2)"}, kSame, ""},
                               {kOpenDoc, {"Names(2)"}, kSame, ""},
                               {kOpenSaveLoadDlg, {"P", "", "1"}, kSame, "OpenSaveLoadDlg P,Load"}});
    EXPECT_NE(refusal(*editorFor(kOpenSaveLoadDlg), {"\"x\"", "1", ""}, context).first, -1);
    const Texts fresh = editorFor(kOpenSaveLoadDlg)->decode({kOpenSaveLoadDlg, "", ParamBlock()});
    EXPECT_EQ(Texts(fresh.begin() + 1, fresh.end()), (Texts{"1", ""})); // Save
}
