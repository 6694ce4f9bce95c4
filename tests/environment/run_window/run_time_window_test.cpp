// The run-time window: what it paints, the input it turns into events, its input box and timer.
#include "environment/run_window/run_input_box.h"
#include "environment/run_window/run_time_window.h"
#include "environment/run_window/virtual_keys.h"
#include "shell_test_support.h"

#include <QKeyEvent>

using namespace qel;
using namespace qel::test;

namespace {

QRgb pixelOnScreen(CRunTimeWnd& window, int x, int y) { return window.grab().toImage().pixel(x, y); }

TEST(RunTimeWindow, ShowsThePaintSectionKeepsItWhenResizedAndGoesWithTheStateItShows)
{
    QPointer<CRunTimeWnd> window;
    {
        IdeRun run;
        run.session.build.add("DeclareVariable", variableFields("Integer", "Paints", "0")).add("WindowClear", {"Blue"});
        run.session.build.section(kPaint)
            .add("Let", letFields("Paints", "Paints", "+", "1"))
            .add("WindowClear", {"Red"})
            .add("DrawLine", {"0", "0", "10", "0", "1", "Green", ""});
        window = run.start();
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(run.integer("Paints"), 1); // painted once before Initialise
        EXPECT_EQ(pixelOnScreen(*window, 20, 20), qRgb(0, 0, 128)) << "Initialise drew over the first paint";

        window->resize(300, 200);
        EXPECT_EQ(run.integer("Paints"), 2);
        EXPECT_EQ(pixelOnScreen(*window, 299, 199), qRgb(150, 0, 0));
        EXPECT_EQ(pixelOnScreen(*window, 5, 0), qRgb(0, 128, 0));

        run.ide.interpreter.stopRun(); // with no program running the window shows only its background
        EXPECT_EQ(pixelOnScreen(*window, 20, 20), qRgb(255, 255, 255));
        window->resize(320, 200);
        EXPECT_EQ(run.integer("Paints"), 2);
    }
    EXPECT_TRUE(window.isNull()); // nothing queued for it can reach the canvas that has gone
}

TEST(RunTimeWindow, RefusesToCloseAndTurnsInputIntoEvents)
{
    IdeRun run({
        {"qelOnKeyDown", [](ProgramBuilder& b) { b.add("Let", letFields("Keys", "Keys", "+", "qelScanCode")); }},
        {"qelOnChar", [](ProgramBuilder& b) { b.add("Let", letFields("Typed", "Typed", "+", "qelChar")); }},
        {"qelOnLeftButtonDown",
         [](ProgramBuilder& b) { b.add("Let", letFields("Clicks", "qelMouseX", "+", "qelMouseY")); }},
    });
    run.session.build.add("DeclareVariable", variableFields("Integer", "Keys", "0"))
        .add("DeclareVariable", variableFields("Integer", "Clicks", "0"))
        .add("DeclareVariable", variableFields("String", "Typed", "\"\""));
    CRunTimeWnd* window = run.start();
    ASSERT_NE(window, nullptr);

    EXPECT_FALSE(window->close());
    EXPECT_EQ(run.messages.messages,
              (std::vector<RecordedMessage>{{"This window may not be closed", Icon::Exclamation}}));
    for (Qt::Key key : {Qt::Key_A, Qt::Key_Left, Qt::Key_F1})
        QTest::keyClick(window, key);
    EXPECT_EQ(run.integer("Keys"), 65 + 37 + 112);
    EXPECT_EQ(run.ide.variables.findVariable("Typed")->textAt(0), "a");
    QTest::mouseClick(window, Qt::LeftButton, Qt::NoModifier, QPoint(30, 12));
    EXPECT_EQ(run.integer("Clicks"), 42);

    run.ide.interpreter.stopRun();
    QTest::keyClick(window, Qt::Key_B); // nobody runs to hear it
    EXPECT_EQ(run.integer("Keys"), 65 + 37 + 112);
}

TEST(RunTimeWindow, KeyCodesAndTypedCharacters)
{
    // A key with its modifiers and text, and the virtual key code and character the program sees.
    const std::tuple<int, Qt::KeyboardModifiers, QString, int, int> keys[] = {
        {Qt::Key_Z, Qt::ShiftModifier, "Z", 90, 90},
        {Qt::Key_7, Qt::NoModifier, "7", 55, 55},
        {Qt::Key_7, Qt::KeypadModifier, "7", 103, 55},
        {Qt::Key_Return, Qt::NoModifier, "\r", 13, 13},
        {Qt::Key_Escape, Qt::NoModifier, "", 27, 27},
        {Qt::Key_Down, Qt::NoModifier, "", 40, 0},
        {Qt::Key_F12, Qt::NoModifier, "", 123, 0},
        {Qt::Key_Eacute, Qt::NoModifier, QString(QChar(0xE9)), 0, 0xE9},
        {Qt::Key_unknown, Qt::NoModifier, QString(QChar(0x263A)), 0, 0},
    };
    for (const auto& [key, mods, text, code, typed] : keys) {
        QKeyEvent e(QEvent::KeyPress, key, mods, text);
        EXPECT_EQ(virtualKeyCode(e), code) << key;
        EXPECT_EQ(static_cast<unsigned char>(typedCharacter(e)), typed) << key;
    }
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
}

TEST(RunTimeWindow, TheProgramsTimerTicksUntilTheRunEnds)
{
    IdeRun run;
    run.session.build.add("DeclareVariable", variableFields("Integer", "Ticks", "0")).add("TimerStart", {"1"});
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

} // namespace
