#include "document/program_document.h"
#include "environment/ide_state.h"
#include "environment/run_window/run_input_box.h"
#include "environment/run_window/run_time_window.h"
#include "environment/run_window/virtual_keys.h"
#include "support/run_fixture.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QTest>

using namespace qel;
using namespace qel::test;

namespace {

// A program built in a test session, then run by the environment's own state and host.
struct IdeRun {
    IdeState ide;
    Session session;
    RecordingHost messages;

    IdeRun() { ide.host.messageRecorder = &messages; }

    CRunTimeWnd& start()
    {
        ide.program = session.program;
        rebuildVariableTable(ide.program, ide.variables, messages);
        ide.interpreter.startRun();
        EXPECT_NE(ide.host.runTimeWindow(), nullptr);
        return *ide.host.runTimeWindow();
    }
    float number(std::string_view name) { return ide.variables.findVariable(name)->floatAt(0); }
    int integer(std::string_view name) { return ide.variables.findVariable(name)->integerAt(0); }
};

QRgb pixelOnScreen(CRunTimeWnd& window, int x, int y) { return window.grab().toImage().pixel(x, y); }

} // namespace

TEST(RunTimeWindow, ShowsThePaintSectionAndKeepsItWhenResized)
{
    IdeRun run;
    run.session.handlers();
    run.session.build.add("DeclareVariable", variableFields("Integer", "Paints", "0")).add("WindowClear", {"Blue"});
    run.session.build.section(kPaint)
        .add("Let", letFields("Paints", "Paints", "+", "1"))
        .add("WindowClear", {"Red"})
        .add("DrawLine", {"0", "0", "10", "0", "1", "Green", ""});
    CRunTimeWnd& window = run.start();
    EXPECT_EQ(window.windowTitle(), "Run Time Window");
    EXPECT_EQ(run.integer("Paints"), 1); // painted once before Initialise
    EXPECT_EQ(pixelOnScreen(window, 20, 20), qRgb(0, 0, 128)) << "Initialise drew over the first paint";

    window.resize(300, 200);
    EXPECT_EQ(run.integer("Paints"), 2);
    EXPECT_EQ(pixelOnScreen(window, 299, 199), qRgb(150, 0, 0));
    EXPECT_EQ(pixelOnScreen(window, 5, 0), qRgb(0, 128, 0));

    run.ide.interpreter.stopRun(); // with no program running the window shows only its background
    EXPECT_EQ(pixelOnScreen(window, 20, 20), qRgb(255, 255, 255));
    window.resize(320, 200);
    EXPECT_EQ(run.integer("Paints"), 2);
}

TEST(RunTimeWindow, GoesWithTheStateItShows)
{
    QPointer<CRunTimeWnd> window;
    {
        IdeRun run;
        run.session.handlers();
        window = &run.start();
    }
    EXPECT_TRUE(window.isNull()); // nothing queued for it can reach the canvas that has gone
}

TEST(RunTimeWindow, RefusesToCloseAndTurnsInputIntoEvents)
{
    IdeRun run;
    run.session.handlers({
        {"qelOnKeyDown", [](ProgramBuilder& b) { b.add("Let", letFields("Keys", "Keys", "+", "qelScanCode")); }},
        {"qelOnChar", [](ProgramBuilder& b) { b.add("Let", letFields("Typed", "Typed", "+", "qelChar")); }},
        {"qelOnLeftButtonDown",
         [](ProgramBuilder& b) { b.add("Let", letFields("Clicks", "qelMouseX", "+", "qelMouseY")); }},
    });
    run.session.build.section(kInitialise)
        .add("DeclareVariable", variableFields("Integer", "Keys", "0"))
        .add("DeclareVariable", variableFields("Integer", "Clicks", "0"))
        .add("DeclareVariable", variableFields("String", "Typed", "\"\""));
    CRunTimeWnd& window = run.start();

    EXPECT_FALSE(window.close());
    EXPECT_EQ(run.messages.texts(), std::vector<std::string>{"This window may not be closed"});
    EXPECT_EQ(run.messages.messages[0].icon, Icon::Exclamation);

    QTest::keyClick(&window, Qt::Key_A);
    QTest::keyClick(&window, Qt::Key_Left);
    QTest::keyClick(&window, Qt::Key_F1);
    EXPECT_EQ(run.integer("Keys"), 65 + 37 + 112);
    EXPECT_EQ(run.ide.variables.findVariable("Typed")->textAt(0), "a");

    QTest::mouseClick(&window, Qt::LeftButton, Qt::NoModifier, QPoint(30, 12));
    EXPECT_EQ(run.integer("Clicks"), 42);

    run.ide.interpreter.stopRun();
    QTest::keyClick(&window, Qt::Key_B); // nobody runs to hear it
    EXPECT_EQ(run.integer("Keys"), 65 + 37 + 112);
}

TEST(RunTimeWindow, KeyCodesAndTypedCharacters)
{
    auto code = [](int key, Qt::KeyboardModifiers mods = Qt::NoModifier, const QString& text = {}) {
        QKeyEvent e(QEvent::KeyPress, key, mods, text);
        return std::pair(virtualKeyCode(e), static_cast<int>(static_cast<unsigned char>(typedCharacter(e))));
    };
    EXPECT_EQ(code(Qt::Key_Z, Qt::ShiftModifier, "Z"), std::pair(90, 90));
    EXPECT_EQ(code(Qt::Key_7, Qt::NoModifier, "7"), std::pair(55, 55));
    EXPECT_EQ(code(Qt::Key_7, Qt::KeypadModifier, "7"), std::pair(103, 55));
    EXPECT_EQ(code(Qt::Key_Return, Qt::NoModifier, "\r"), std::pair(13, 13));
    EXPECT_EQ(code(Qt::Key_Escape), std::pair(27, 27));
    EXPECT_EQ(code(Qt::Key_Down), std::pair(40, 0));
    EXPECT_EQ(code(Qt::Key_F12), std::pair(123, 0));
    EXPECT_EQ(code(Qt::Key_Eacute, Qt::NoModifier, QString(QChar(0xE9))), std::pair(0, 0xE9));
    EXPECT_EQ(code(Qt::Key_unknown, Qt::NoModifier, QString(QChar(0x263A))).second, 0);
}

TEST(RunTimeWindow, InputBoxWantsAReply)
{
    RecordingHost messages;
    RunInputBox box("Caf\xE9 name?", "Input Box", messages);
    EXPECT_EQ(box.findChild<QLabel*>()->text(), QString::fromUtf8("Café name?")); // 8-bit texts are Latin-1
    box.show();
    box.accept();
    EXPECT_TRUE(box.isVisible());
    EXPECT_EQ(messages.texts(), std::vector<std::string>{"Input required"});
    QTest::keyClicks(box.replyField(), "Zo");
    box.replyField()->insert(QString(QChar(0xEB))); // typed as a composed character
    box.accept();
    EXPECT_FALSE(box.isVisible());
    EXPECT_EQ(box.reply(), "Zo\xEB");
    EXPECT_EQ(box.result(), QDialog::Accepted);
}

TEST(RunTimeWindow, TheProgramsTimerTicksUntilTheRunEnds)
{
    IdeRun run;
    run.session.handlers();
    run.session.build.section(kInitialise)
        .add("DeclareVariable", variableFields("Integer", "Ticks", "0"))
        .add("TimerStart", {"1"});
    run.session.build.section(kTimer).add("Let", letFields("Ticks", "Ticks", "+", "1"));
    run.start();
    EXPECT_TRUE(run.ide.host.timerActive());
    QTest::qWait(200);
    const int ticks = run.integer("Ticks");
    EXPECT_GE(ticks, 3); // every 10 ms, give or take a busy machine
    run.ide.interpreter.stopRun();
    EXPECT_FALSE(run.ide.host.timerActive());
    QTest::qWait(50);
    EXPECT_EQ(run.integer("Ticks"), ticks);
}
