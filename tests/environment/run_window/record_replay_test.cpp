// Record Run: programs run in the environment while the test works their widgets as a user would
// (keys, clicks, a resize, the timer, message boxes, the input box, the file dialog, the User Form
// and a form window), their events recorded; then `qeltool run` replays each script headless on a
// fresh copy of the program's folder and must end with the same variables and the same picture.

#include "app/variables_json.h"
#include "environment/forms/form_window.h"
#include "environment/forms/user_form_dialog.h"
#include "environment/run_window/run_input_box.h"
#include "environment/run_window/run_time_window.h"
#include "fileio/file_io.h"
#include "instructions/interaction/interaction_editors.h"
#include "shell_test_support.h"
#include "support/tool_run.h"

#include <QFileDialog>
#include <QMessageBox>

#include <filesystem>
#include <sstream>

using namespace qel;
using namespace qel::test;
namespace fs = std::filesystem;

namespace {

struct Case {
    std::string name;
    std::function<void(const std::string& folder)> write; // the program (prog.qel) and its files
    std::function<void(IdeState&, CRunTimeWnd&, const std::string& folder)> drive;
};

std::string saveBuilt(const std::string& folder, const std::function<void(Session&)>& build)
{
    Session s;
    s.handlers();
    build(s);
    EXPECT_TRUE(s.build.host.messages.empty()) << s.build.host.messages[0].text;
    const std::string path = folder + "/prog.qel";
    EXPECT_TRUE(writeFileAtomically(path, storeProgram(s.program).value()));
    return path;
}

void copyExample(const std::string& folder, const std::vector<std::string>& files)
{
    for (const std::string& f : files)
        fs::copy_file(std::string(QEL_EXAMPLES_DIR) + "/" + f, folder + "/" + (f.ends_with(".qel") ? "prog.qel" : f));
}

std::string varsOf(const VariableTable& variables)
{
    std::ostringstream out;
    printVariables(variables, out);
    std::string text = out.str();
    return text.substr(0, text.find('\n'));
}

// Opens the next modal dialog of type T and acts on it.
template <class T>
void whenOpens(std::function<void(T&)> act)
{
    whenDialogOpens([act](QWidget* modal) {
        T* dialog = qobject_cast<T*>(modal);
        ASSERT_NE(dialog, nullptr) << modal->metaObject()->className();
        act(*dialog);
    });
}

const Case kCases[] = {
    {"clicks, keys and a resize", [](const std::string& folder) { copyExample(folder, {"clicks.qel"}); },
     [](IdeState&, CRunTimeWnd& window, const std::string&) {
         QTest::mouseClick(&window, Qt::LeftButton, Qt::NoModifier, QPoint(50, 60));
         QTest::mouseMove(&window, QPoint(120, 80));
         QTest::mouseClick(&window, Qt::LeftButton, Qt::NoModifier, QPoint(200, 100));
         QTest::keyClick(&window, Qt::Key_A);
         window.resize(420, 300);
         QTest::mouseClick(&window, Qt::LeftButton, Qt::NoModifier, QPoint(300, 250));
     }},
    {"random numbers on the timer",
     [](const std::string& folder) {
         saveBuilt(folder, [](Session& s) {
             s.build.add("DeclareVariable", variableFields("Integer", "Ticks", "0"))
                 .add("DeclareVariable", variableFields("Integer", "X", "0"))
                 .add("DeclareVariable", variableFields("Floating Point", "R", "0"))
                 .add("Let", letFunctionFields("R", "Rand", "1000"))
                 .add("TimerStart", {"10"});
             s.build.section(kTimer)
                 .add("Let", letFields("Ticks", "Ticks", "+", "1"))
                 .add("Let", letFunctionFields("X", "Rand", "400"))
                 .add("DrawLine", {"X", "0", "X", "200", "1", "Red", ""})
                 .add("If", ifFields("Ticks", "Greater Than or Equal", "6"))
                 .add("TimerStop")
                 .add("EndIf");
         });
     },
     [](IdeState& ide, CRunTimeWnd&, const std::string&) {
         EXPECT_TRUE(QTest::qWaitFor([&] { return ide.variables.findVariable("Ticks")->integerAt(0) >= 6; }, 5000));
     }},
    {"dialogs and the User Form",
     [](const std::string& folder) {
         writeBytes(folder + "/data.txt", "some data\n");
         saveBuilt(folder, [](Session& s) {
             std::vector<std::string> box(message_box_fields::kCount);
             box[message_box_fields::kMessage] = "\"Go on?\"";
             box[message_box_fields::kButtonsFirst + 2] = "1"; // Yes and No
             box[message_box_fields::kResult] = "Answer";
             s.build.add("DeclareVariable", variableFields("Integer", "Answer", "0"))
                 .add("DeclareVariable", variableFields("String", "Name", "\"\""))
                 .add("DeclareVariable", variableFields("String", "Chosen", "\"\""));
             declareUserForm(s.build);
             s.build.add("MessageBox", box)
                 .add("InputBox", {"\"Your name?\"", "Name"})
                 .add("OpenSaveLoadDlg", {"Chosen", "", "1"})
                 .add("OpenForm", kUserFormFields);
         });
     },
     [](IdeState& ide, CRunTimeWnd&, const std::string&) {
         EXPECT_EQ(ide.variables.findVariable("Results")->textAt(1), "Blue");
         EXPECT_EQ(ide.variables.findVariable("Name")->textAt(0), "Ann");
     }},
    {"a form window",
     [](const std::string& folder) {
         copyExample(folder, {"quiz.qel", "quiz.frm"});
     },
     [](IdeState& ide, CRunTimeWnd&, const std::string&) {
         CORXFormWnd* form = nullptr;
         for (QWidget* w : QApplication::allWidgets())
             if (auto* f = qobject_cast<CORXFormWnd*>(w); f && f->isVisible())
                 form = f;
         ASSERT_NE(form, nullptr);
         RunForm& quiz = form->form();
         auto* combo = qobject_cast<QComboBox*>(form->controlWidget(*quiz.findObject("cmbAnswer")));
         auto* button = qobject_cast<QPushButton*>(form->controlWidget(*quiz.findObject("buttAnswer")));
         ASSERT_TRUE(combo && button);
         for (const QString& answer : {QStringLiteral("Rome"), QStringLiteral("Paris")}) {
             combo->setCurrentIndex(combo->findText(answer));
             Q_EMIT combo->activated(combo->currentIndex());
             whenOpens<QMessageBox>([](QMessageBox& box) { box.button(QMessageBox::Ok)->click(); });
             button->click();
         }
         EXPECT_EQ(ide.variables.findVariable("Score")->integerAt(0), 1);
     }},
};

TEST(RecordReplay, AReplayEndsWhereTheRecordedRunEnded)
{
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        const std::string root = makeTempFolder(), recorded = root + "/ide", replayed = root + "/replay";
        fs::create_directories(recorded);
        fs::create_directories(replayed);
        c.write(recorded);
        fs::copy(recorded, replayed, fs::copy_options::recursive | fs::copy_options::overwrite_existing);
        const std::string script = root + "/events.txt";

        IdeState ide;
        RecordingHost reading;
        std::vector<uint8_t> bytes;
        ASSERT_TRUE(readWholeFile(recorded + "/prog.qel", bytes));
        ASSERT_EQ(openProgram(ide.program, ide.variables, bytes, reading).status, ReadStatus::Ok);
        ide.interpreter.setProgramPath(recorded + "/prog.qel");
        QString said;
        QObject::connect(&ide.host, &IdeHost::statusMessage, [&](const QString& text) { said = text; });
        ide.host.recordNextRun(QString::fromStdString(script));
        if (c.name == "dialogs and the User Form") {
            // Each dialog as it opens: No, a name, the data file, then the form's second row and OK.
            whenOpens<QMessageBox>([&](QMessageBox& box) {
                whenOpens<RunInputBox>([&](RunInputBox& input) {
                    whenOpens<QFileDialog>([&](QFileDialog& files) {
                        whenOpens<CInsUserForm>([](CInsUserForm& form) {
                            auto* colours = qobject_cast<QComboBox*>(form.rowControl(1));
                            colours->setCurrentIndex(colours->findText("Blue"));
                            form.okButton()->click();
                        });
                        files.selectFile(QString::fromStdString(recorded + "/data.txt"));
                        QMetaObject::invokeMethod(&files, "accept"); // the Open button
                    });
                    QTest::keyClicks(input.replyField(), "Ann");
                    input.accept();
                });
                box.button(QMessageBox::No)->click();
            });
        }
        ide.interpreter.startRun();
        CRunTimeWnd* window = ide.host.runTimeWindow();
        ASSERT_NE(window, nullptr);
        c.drive(ide, *window, recorded);
        const QImage picture = ide.canvas.image().convertToFormat(QImage::Format_RGB32);
        ide.interpreter.stopRun();
        EXPECT_EQ(said.toStdString(), "Recorded the run in " + script);

        const RunOutput replay = runToolProcess(
            {"run", replayed + "/prog.qel", "--events", script, "--vars", "--snapshot", root + "/replay.png"});
        ASSERT_FALSE(replay.lines.empty()) << replay.err;
        EXPECT_EQ(replay.lines.back(), varsOf(ide.variables)) << readBytes(script);
        const QImage replayPicture =
            QImage(QString::fromStdString(root + "/replay.png")).convertToFormat(QImage::Format_RGB32);
        EXPECT_EQ(replayPicture.size(), picture.size());
        EXPECT_TRUE(replayPicture == picture) << readBytes(script);
    }
}

} // namespace
