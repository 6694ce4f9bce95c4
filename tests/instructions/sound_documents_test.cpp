// PlayWave, OpenDoc and OpenSaveLoadDlg: what they hand to the desktop, the files they accept, and
// their editors.

#include "instructions/documents/documents.h"
#include "instructions/sound/play_wave.h"
#include "support/run_fixture.h"
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
    writeBytes(path("ding.wav"), waveBytes(800, true));
    writeBytes(path("adpcm.wav"), waveBytes(800, false, 2));
    writeBytes(path("short.wav"), waveBytes().substr(0, 30));
    writeBytes(path("text.wav"), "RIFF but not really\n");
    mkdir(path("folder.wav").c_str(), 0755);
    EXPECT_TRUE(isPlayableWaveFile(path("ding.wav")));
    for (const char* name : {"adpcm.wav", "short.wav", "text.wav", "folder.wav", "missing.wav"})
        EXPECT_FALSE(isPlayableWaveFile(path(name))) << name;

    handlers();
    build.add("DeclareVariable", variableFields("String", "Sound", "\"text.wav\""))
        .add("PlayWave", {"\"ding.wav\""})
        .add("PlayWave", {"Sound"});
    EXPECT_EQ(build.last().text, "PlayWaveFile Sound");
    start();
    EXPECT_EQ(host.sounds, std::vector<std::string>{path("ding.wav")}); // found beside the program
    EXPECT_EQ(errors(), std::vector<std::string>{runErrorText(kUnableToPlaySound)});
    EXPECT_GE(host.soundStops, 1); // the run's end silences it

    Session wrongType;
    wrongType.handlers();
    wrongType.build.add("DeclareVariable", variableFields("Integer", "N", "0")).add("PlayWave", {"N"});
    wrongType.start();
    EXPECT_EQ(wrongType.errors(),
              std::vector<std::string>{runErrorText("Expecting variable of type String but found variable - N")});
}

TEST_F(DesktopCalls, DocumentsAreExistingFilesOrWebAndMailAddressesNeverPrograms)
{
    writeBytes(path("notes.txt"), "hello");
    writeBytes(path("launch.desktop"), "[Desktop Entry]\n");
    writeBytes(path("script.txt"), "#!/bin/sh\necho\n");
    writeBytes(path("tool"), "plain");
    writeBytes(path("entry"), "\n# no extension\n[Desktop Entry]\nExec=sh\n");
    writeBytes(path("old.kdelnk"), "plain");
    writeBytes(path("app.desktop "), "plain");
    chmod(path("tool").c_str(), 0755);
    const std::string program = dir + "/game.qel";
    auto target = [&](std::string_view name) {
        auto t = documentTarget(name, program);
        return t ? (t->isAddress ? "address " : "file ") + t->target : std::string("none");
    };
    EXPECT_EQ(target("notes.txt"), "file " + path("notes.txt"));
    EXPECT_EQ(target(path("notes.txt")), "file " + path("notes.txt"));
    EXPECT_EQ(target("HTTPS://example.org/a b"), "address HTTPS://example.org/a b");
    EXPECT_EQ(target("mailto:someone@example.org"), "address mailto:someone@example.org");
    EXPECT_EQ(target("mailto:a@b.org?subject=attach&body=attachment"),
              "address mailto:a@b.org?subject=attach&body=attachment");
    for (const char* refused :
         {"missing.txt", "launch.desktop", "script.txt", "tool", "entry", "old.kdelnk", "app.desktop ", ".",
          "ftp://example.org", "http://", "https://a\nb", "file:///etc/passwd", "", "mailto:a@b.org?attach=/etc/passwd",
          "MAILTO:a@b.org?subject=x&Attachment=~/.ssh/id_rsa", "mailto:a@b.org?subject=x; attach =f",
          "mailto:a@b.org?%2561ttach=f", "mailto:a@b.org%3Fattachment=f"})
        EXPECT_EQ(target(refused), "none") << refused;

    handlers();
    build.add("OpenDoc", {"\"notes.txt\""}).add("OpenDoc", {"\"missing.txt\""}).add("OpenDoc", {"\"http://x.org\""});
    EXPECT_EQ(build.last().text, "OpenDocument \"http://x.org\"");
    start();
    EXPECT_TRUE(errors().empty()); // what cannot be opened is not the program's error
    EXPECT_EQ(host.documents, (std::vector<std::string>{"file " + path("notes.txt"), "address http://x.org"}));
}

TEST_F(DesktopCalls, FileDialogStartsBesideTheProgramAndStoresThePathOrNothing)
{
    handlers();
    build.add("DeclareVariable", variableFields("String", "Path", "\"old\""))
        .add("DeclareVariable", variableFields("String", "Other", "\"old\""))
        .add("OpenSaveLoadDlg", {"Path", "", "1"})
        .add("OpenSaveLoadDlg", {"Other", "1", ""});
    EXPECT_EQ(build.last().text, "OpenSaveLoadDlg Other,Save");
    host.fileAnswers = {std::string("/data/scores.txt"), std::nullopt};
    start();
    EXPECT_TRUE(errors().empty());
    EXPECT_EQ(text("Path"), "/data/scores.txt");
    EXPECT_EQ(text("Other"), ""); // Cancel
    EXPECT_EQ(host.fileDialogs, (std::vector<std::pair<bool, std::string>>{{true, dir}, {false, dir}}));

    for (auto [declare, message] : {std::pair{"Integer", "Expecting variable of type STRING but found variable - N"},
                                    std::pair{"", "Reference to undeclared variable - N"}}) {
        Session s;
        s.handlers();
        if (*declare)
            s.build.add("DeclareVariable", variableFields(declare, "N", "0"));
        s.build.add("OpenSaveLoadDlg", {"N", "1", ""});
        s.start();
        EXPECT_EQ(s.errors(), std::vector<std::string>{runErrorText(message)});
    }
}

TEST_F(DesktopCalls, EditorsDecodeWhatTheyBuildAndRefuseWrongFields)
{
    EditContext context{program, variables, nullptr};
    const PlayWaveEditor wave;
    const OpenDocEditor doc;
    const OpenSaveLoadDlgEditor dialog;
    for (const InstructionEditor* editor : std::initializer_list<const InstructionEditor*>{&wave, &doc}) {
        EditOutcome number = editor->accept({"12"}, context);
        ASSERT_FALSE(number.ok());
        EXPECT_EQ(number.error->message, "Variable or string literal required.");
        EditOutcome named = editor->accept({"Names(2)"}, context);
        ASSERT_TRUE(named.ok());
        EXPECT_EQ(editor->decode({named.line.type, named.line.text, named.line.block}),
                  std::vector<std::string>{"Names(2)"});
        EXPECT_EQ(editor->fields()[0].kind, FieldKind::FileName);
    }
    const std::vector<std::string> fresh = dialog.decode({kOpenSaveLoadDlg, "", ParamBlock()});
    EXPECT_EQ(std::vector<std::string>(fresh.begin() + 1, fresh.end()), (std::vector<std::string>{"1", ""})); // Save
    EditOutcome load = dialog.accept({"P", "", "1"}, context);
    ASSERT_TRUE(load.ok());
    EXPECT_EQ(load.line.text, "OpenSaveLoadDlg P,Load");
    EXPECT_EQ(dialog.decode({load.line.type, load.line.text, load.line.block}),
              (std::vector<std::string>{"P", "", "1"}));
    EXPECT_FALSE(dialog.accept({"\"x\"", "1", ""}, context).ok());
}
