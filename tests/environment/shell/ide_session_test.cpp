// A learner's session with the whole environment: a program built through the Add An Instruction
// dialog and the instruction dialogs with the keyboard, run in the run-time window, paused at a
// breakpoint, single-stepped and stopped.
#include "environment/run_window/run_time_window.h"
#include "shell_test_support.h"

namespace qel {
namespace {

// Types into the focused field, then moves on with Tab.
void typeFields(QWidget* dialog, const std::vector<QString>& texts)
{
    for (const QString& text : texts) {
        QWidget* field = dialog->focusWidget();
        if (!text.isEmpty())
            QTest::keyClicks(field, text);
        QTest::keyClick(field, Qt::Key_Tab);
    }
}

// Adds a line after the view's current line: the letters go to the Add An Instruction dialog, then
// the fields to the instruction's own dialog, which Enter closes.
void addLine(CQelView* view, const QString& letters, const std::vector<QString>& fields)
{
    test::whenDialogOpens([=](QWidget* chooser) {
        QTest::keyClicks(chooser->focusWidget(), letters.mid(1));
        test::whenDialogOpens(
            [=](QWidget* editor) {
                typeFields(editor, fields);
                QTest::keyClick(editor->focusWidget(), Qt::Key_Return);
            },
            chooser);
        QTest::keyClick(chooser->focusWidget(), Qt::Key_Return);
    });
    // A letter key opens the chooser with that letter already typed.
    QTest::keyClick(view, letters.at(0).toLatin1());
}

using IdeSession = test::AppTest;

TEST_F(IdeSession, BuildRunBreakStepAndStopWithTheKeyboard)
{
    ASSERT_TRUE(app->start({}));
    CMainFrame& frame = app->mainFrame();
    frame.resize(1000, 700);
    frame.show();
    QApplication::setActiveWindow(&frame);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
    CQelView* view = frame.view();
    view->setFocus();

    // "dl" expands to DrawLine; its dialog takes From X, From Y, To X, To Y, Width, then the colour.
    addLine(view, "dl", {"10", "20", "300", "200", "2", "R"});
    addLine(view, "com", {"the line is drawn"});
    EXPECT_EQ(test::typedLines(ide().program, 1),
              (test::TypedLines{{kDrawLine, "DrawLine 10,20,300,200,2,\"Red\""}, {kComment, "the line is drawn"}}));
    EXPECT_TRUE(messages.messages.empty()) << messages.messages[0].text;

    // A breakpoint on the DrawLine line: the run pauses there, one step runs it, Stop ends the run.
    QApplication::setActiveWindow(&frame); // the offscreen platform forgets it when dialogs close
    QTest::keyClick(view, Qt::Key_Up);
    QTest::keyClick(view, Qt::Key_F9);
    bool sawPause = false, sawStep = false;
    QTimer::singleShot(50, [&] {
        sawPause = ide().paused() && view->model().place(kInitialise).executionMarker == 1;
        CRunTimeWnd* window = ide().host.runTimeWindow();
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(window->windowTitle(), "Run Time Window");
        EXPECT_NE(window->grab().toImage().pixel(100, 20), qRgb(150, 0, 0)) << "drawn before the line ran";
        QTest::keyClick(view, Qt::Key_F10);
        QTimer::singleShot(50, [&] {
            sawStep = ide().paused() && view->model().place(kInitialise).executionMarker == 2;
            // The line from (10, 20) to (310, 220) is on the canvas now.
            EXPECT_EQ(ide().canvas.image().pixel(160, 120), qRgb(150, 0, 0));
            view->stop();
        });
    });
    QTest::keyClick(view, Qt::Key_F5); // returns when the run has ended
    EXPECT_TRUE(sawPause);
    EXPECT_TRUE(sawStep);
    EXPECT_EQ(messages.texts(), std::vector<std::string>{"Breakpoint found"});
    QMdiSubWindow* runWindow =
        frame.mdiArea()->subWindowList().size() == 2 ? frame.mdiArea()->subWindowList()[1] : nullptr;
    ASSERT_NE(runWindow, nullptr);
    EXPECT_EQ(runWindow->geometry(), QRect(0, 0, 600, 400));
}

} // namespace
} // namespace qel
