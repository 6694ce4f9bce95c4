#pragma once
// What the environment's tests share: the headers most of them use, the whole application over a
// scratch folder, a program run by the environment's own state, program files built through the
// editors and the bytes of files, and the modal dialogs a test acts on.

#include "document/program_document.h"
#include "document/program_template.h"
#include "environment/ide_state.h"
#include "environment/program_view/qel_view.h"
#include "environment/shell/main_frame.h"
#include "environment/shell/qel_app.h"
#include "program/instruction_table.h"
#include "program/program_file.h"
#include "support/program_builder.h"
#include "support/recording_host.h"
#include "support/run_fixture.h"
#include "support/temp_files.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

// Failing comparisons of Qt texts show the text.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace qel::test {

// A program with lines of several kinds in several sections, a blank line among them.
inline void buildSampleProgram(Program& program, VariableTable& variables)
{
    RecordingHost host;
    newProgramWithHandlers(program, variables, host);
    ProgramBuilder b(program, variables);
    b.section(kInitialise)
        .add("DeclareVariable", variableFields("Integer", "Count", "5"))
        .add("Let", letFields("Count", "Count", "+", "1"))
        .add("If", ifFields("Count", "Greater Than", "3"))
        .add("DrawLine", {"10", "20", "200", "150", "1", "Red", "1"})
        .add("EndIf")
        .add("Comment", {"done"});
    program.edit.section = kInitialise;
    program.insertBlankAfter(kInitialise, 2); // a line the user never filled in
    b.section(kPaint).add("WindowClear", {"Blue"});
}

// Comments "1" to "n" after the Initialise section's title.
inline void addComments(Program& program, VariableTable& variables, int n)
{
    ProgramBuilder b(program, variables);
    for (int i = 1; i <= n; ++i)
        b.add("Comment", {std::to_string(i)});
}

// Line n of the section into the EditBuffer, which targets it, as the view's Edit leaves it.
inline void loadEditBuffer(Program& program, long n, uint32_t section = kInitialise)
{
    EditBuffer& b = program.edit;
    b.section = section;
    b.target = static_cast<int32_t>(n);
    const ProgramLine& line = program.sections[section].lines[static_cast<size_t>(n)];
    std::tie(b.text, b.block, b.type) = std::tie(line.text, line.block, line.type);
}

inline std::string fileBytes(const QString& path) { return readBytes(QFile::encodeName(path).toStdString()); }

// Writes the sample program to dir/name and returns the path.
inline QString writeSampleProgram(const QTemporaryDir& dir, const QString& name)
{
    Program program;
    VariableTable variables;
    buildSampleProgram(program, variables);
    const QString path = dir.filePath(name);
    EXPECT_TRUE(saveProgram(program, QFile::encodeName(path).toStdString()));
    return path;
}

// The type and text of each line of the Initialise section from line n on.
using TypedLines = std::vector<std::pair<uint32_t, std::string>>;
inline TypedLines typedLines(const Program& program, size_t n)
{
    const std::vector<ProgramLine>& lines = program.sections[kInitialise].lines;
    TypedLines out;
    for (size_t k = n; k < lines.size(); ++k)
        out.emplace_back(lines[k].type, lines[k].text);
    return out;
}

// The whole application, its settings in a scratch folder and its messages recorded.
struct AppTest : ::testing::Test {
    AppTest() { makeApp(); }
    ~AppTest() override
    {
        if (app && app->ide().running())
            app->mainFrame().view()->stop();
    }
    void makeApp()
    {
        app =
            std::make_unique<CQelApp>(std::make_unique<QSettings>(dir.filePath("settings.ini"), QSettings::IniFormat));
        app->ide().host.messageRecorder = &messages;
    }
    CMainFrame& frame() { return app->mainFrame(); }
    IdeState& ide() { return app->ide(); }

    QTemporaryDir dir;
    RecordingHost messages;
    std::unique_ptr<CQelApp> app;
};

// Runs the program with the environment's own state and host, as Run does.
inline void startInIde(IdeState& ide, const Program& program, MessageHost& messages)
{
    ide.program = program;
    rebuildVariableTable(ide.program, ide.variables, messages);
    ide.interpreter.startRun();
}

// A program built in a test session, with the Keyboard and Mouse handlers, then run in the
// environment's own state and host.
struct IdeRun {
    explicit IdeRun(std::map<std::string, Session::Body> handlers = {})
    {
        ide.host.messageRecorder = &messages;
        session.handlers(std::move(handlers));
    }
    // The run-time window the run opened.
    auto* start()
    {
        startInIde(ide, session.program, messages);
        return ide.host.runTimeWindow();
    }
    int integer(std::string_view name) { return ide.variables.findVariable(name)->integerAt(0); }

    RecordingHost messages;
    IdeState ide;
    Session session;
};

// Acts on the next modal dialog as soon as it is open (a dialog's exec() blocks the test otherwise).
// A dialog that has gone may leave its address to the next one, so the one before is watched.
inline void whenDialogOpens(std::function<void(QWidget*)> act, QPointer<QWidget> previous = nullptr)
{
    QTimer::singleShot(10, [act, previous] {
        // Open means shown with its first field focused, so typed keys have somewhere to go.
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || modal == previous || !modal->isVisible() || !modal->focusWidget()) {
            whenDialogOpens(act, previous);
            return;
        }
        act(modal);
    });
}

} // namespace qel::test
