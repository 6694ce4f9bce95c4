// The environment's side of sound, printing and the file dialog: what a machine without an audio
// device or a printer does, as the classrooms have them.

#include "document/program_document.h"
#include "environment/ide_state.h"
#include "support/run_fixture.h"
#include "support/temp_files.h"

#include <QAudioDevice>
#include <QFileInfo>
#include <QMediaDevices>
#include <QSignalSpy>

using namespace qel;
using namespace qel::test;

namespace {

struct IdeRun {
    IdeState ide;
    Session session;
    RecordingHost messages;
    std::string dir = makeTempFolder();

    IdeRun()
    {
        ide.host.messageRecorder = &messages;
        ide.interpreter.setProgramPath(dir + "/prog.qel");
        session.handlers();
    }
    void start()
    {
        ide.program = session.program;
        rebuildVariableTable(ide.program, ide.variables, messages);
        ide.interpreter.startRun();
    }
    int integer(std::string_view name) { return ide.variables.findVariable(name)->integerAt(0); }
};

} // namespace

TEST(DesktopCalls, SoundWithoutAnAudioDevicePlaysNothingAndTheRunGoesOn)
{
    IdeRun run;
    writeBytes(run.dir + "/ding.wav", waveBytes(8000));
    writeBytes(run.dir + "/dong.wav", waveBytes(8000));
    run.session.build.add("DeclareVariable", variableFields("Integer", "After", "0"))
        .add("PlayWave", {"\"ding.wav\""})
        .add("PlayWave", {"\"dong.wav\""}) // the new sound takes the place of the first
        .add("Let", letFields("After", "1"));
    run.start();
    EXPECT_TRUE(run.messages.messages.empty()) << run.messages.messages[0].text;
    EXPECT_EQ(run.integer("After"), 1);
    EXPECT_TRUE(run.ide.interpreter.isRunning());
    EXPECT_EQ(run.ide.host.soundSource(), QString::fromStdString(run.dir + "/dong.wav"));
    run.ide.interpreter.stopRun();
    EXPECT_TRUE(run.ide.host.soundSource().isEmpty()); // Stop silences it
    RecordProperty("audio outputs", static_cast<int>(QMediaDevices::audioOutputs().size()));
}

TEST(DesktopCalls, WithoutAPrinterPagesBecomeAPdfBesideTheProgramAndTheStatusBarSaysWhere)
{
    IdeRun run;
    run.ide.host.printerPages().setPrinterAllowed(false);
    writeBytes(run.dir + "/picked.txt", "x");
    run.ide.host.fileAnswers = {std::string("picked")}; // beside the program, ".txt" added
    QSignalSpy status(&run.ide.host, &IdeHost::statusMessage);
    run.session.build.add("DeclareVariable", variableFields("String", "Path", "\"\""))
        .add("PrintStart")
        .add("DrawPoint", {"10", "10", "Red"})
        .add("PrintStop")
        .add("OpenSaveLoadDlg", {"Path", "", "1"});
    run.start();
    EXPECT_TRUE(run.messages.messages.empty()) << run.messages.messages[0].text;
    ASSERT_EQ(status.size(), 1);
    const QString text = status[0][0].toString();
    const qsizetype at = text.indexOf(QString::fromStdString(run.dir + "/prog-"));
    ASSERT_GE(at, 0) << text.toStdString();
    EXPECT_TRUE(text.startsWith("No printer: 1 printed page(s) saved as ")) << text.toStdString();
    EXPECT_TRUE(QFileInfo(text.mid(at)).size() > 0);
    EXPECT_EQ(run.ide.variables.findVariable("Path")->textAt(0), run.dir + "/picked.txt");
    run.ide.interpreter.stopRun();
}
