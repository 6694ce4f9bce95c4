// The program view as a widget: its pixels, keys, mouse, context menu, signals and the run commands.
#include "shell_test_support.h"

#include <QMenu>
#include <QMouseEvent>

namespace qel {
namespace {

using Dialogs = std::vector<std::pair<int, char>>; // mode and typed letter of each dialog opened

class QelViewTest : public ::testing::Test {
protected:
    QelViewTest() : view(ide)
    {
        ide.host.messageRecorder = &messages;
        view.model().editLine = [this](IdeState& state, QWidget*, int mode, char letter) {
            dialogs.push_back({mode, letter});
            if (mode != 1) // a new line: stored as a comment, as a dialog would
                storeThroughEditBuffer(state.program, {kComment, "added", ParamBlock()}, messages);
            return mode != 1;
        };
        view.resize(400, 10 * kRowHeight + 2 * view.frameWidth()); // ten rows
        view.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&view));
    }

    void comments(int n) { test::addComments(ide.program, ide.variables, n); }
    SectionPlace& section() { return view.model().view(); }
    // Selection start and end, current line.
    std::array<int, 3> place() { return {section().selectionStart, section().selectionEnd, section().currentLine}; }
    QImage picture() { return view.viewport()->grab().toImage(); }
    // Pixels of a row whose colour passes the test.
    template <typename Test>
    int countInRow(const QImage& image, int row, Test test)
    {
        int n = 0;
        for (int y = row * kRowHeight + 1; y < row * kRowHeight + kRowHeight - 1; ++y)
            for (int x = 0; x < image.width(); ++x)
                n += test(image.pixelColor(x, y)) ? 1 : 0;
        return n;
    }
    void sendMouse(QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons held, int row)
    {
        const QPointF at(50, row * kRowHeight + 4);
        QMouseEvent event(type, at, view.viewport()->mapToGlobal(at), button, held, Qt::NoModifier);
        QCoreApplication::sendEvent(view.viewport(), &event);
    }

    IdeState ide;
    test::RecordingHost messages;
    CQelView view;
    Dialogs dialogs;
};

TEST_F(QelViewTest, PaintsRowsWithTheirColoursSelectionAndUnderlines)
{
    test::ProgramBuilder(ide.program, ide.variables)
        .add("DeclareVariable", test::variableFields("Integer", "A", "0"))
        .add("Let", test::letFields("A", "1"))
        .add("EndIf")
        .add("Let", test::letFields("A", "2"));
    section().currentLine = 2;
    view.toggleBreakPoint();
    section().currentLine = 0;
    const QImage image = picture();

    auto white = [](QColor c) { return c == QColor(255, 255, 255); };
    auto green = [](QColor c) { return c.green() > 200 && c.red() < 60 && c.blue() < 60; };
    auto magenta = [](QColor c) { return c.red() > 200 && c.blue() > 200 && c.green() < 60; };
    auto cyan = [](QColor c) { return c.green() > 200 && c.blue() > 200 && c.red() < 60; };

    EXPECT_GT(countInRow(image, 0, white), 1000); // the selected first line
    EXPECT_GT(countInRow(image, 0, [](QColor c) { return c.blue() > 60 && c.red() < 60 && c.green() < 160; }), 0);
    EXPECT_EQ(countInRow(image, 0, cyan), 0); // current line: the darker comment colour
    EXPECT_GT(countInRow(image, 2, green), 20);
    EXPECT_EQ(countInRow(image, 2, white), 0);
    EXPECT_GT(countInRow(image, 3, magenta), 20);                            // the EndIf with no If
    EXPECT_EQ(image.pixelColor(200, 7 * kRowHeight + 8), QColor(Qt::black)); // below the last line

    // The breakpoint's grey underline sits on the Let row's bottom edge, from the text on.
    const int edge = 2 * kRowHeight + kRowHeight;
    EXPECT_EQ(image.pixelColor(300, edge - 1), QColor(100, 100, 100));
    EXPECT_EQ(image.pixelColor(300, edge), QColor(100, 100, 100));
    EXPECT_EQ(image.pixelColor(300, edge + 1), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(0, edge), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(300, kRowHeight + kRowHeight), QColor(Qt::black));
}

TEST_F(QelViewTest, KeysMoveTheCursorReachTheDialogsAndMarkTheDocumentModified)
{
    comments(3);
    QSignalSpy pane(&view, &CQelView::sectionPaneChanged);
    QTest::keyClick(&view, Qt::Key_Down);
    QTest::keyClick(&view, Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(place(), (std::array<int, 3>{1, 2, 2}));
    EXPECT_EQ(pane.last().at(0).toString(), QStringLiteral("Initialise - 3"));
    QTest::keyClick(&view, Qt::Key_End);
    EXPECT_EQ(view.verticalScrollBar()->value(), 100);
    QTest::keyClick(&view, Qt::Key_Home);

    QSignalSpy modified(&view, &CQelView::documentModified);
    QTest::keyClick(&view, Qt::Key_Return);
    QTest::keyClick(&view, Qt::Key_D);
    QTest::keyClick(&view, Qt::Key_Tab);
    EXPECT_EQ(dialogs, (Dialogs{{2, '\0'}, {2, 'D'}, {1, '\0'}})); // Insert after, with the letter, Edit
    EXPECT_EQ(section().currentLine, 2);
    EXPECT_EQ(modified.size(), 3);

    // Delete and Paste change the program too, so they mark it as well.
    QTest::keyClick(&view, Qt::Key_Delete);
    EXPECT_EQ(ide.program.sections[0].lineCount(), 5u);
    EXPECT_EQ(modified.size(), 4);
    view.copy();
    view.paste();
    EXPECT_EQ(ide.program.sections[0].lineCount(), 6u);
    EXPECT_EQ(modified.size(), 5);

    QTest::keyClick(&view, Qt::Key_F9);
    EXPECT_EQ(ide.interpreter.debugger().breakpoints().size(), 1u);
}

TEST_F(QelViewTest, ClickDragDoubleClickTheContextMenuAndANewProgram)
{
    comments(10);
    sendMouse(QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, 2);
    sendMouse(QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, 4);
    sendMouse(QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, 4);
    EXPECT_EQ(place(), (std::array<int, 3>{2, 4, 4}));

    // After Insert after, the first move with the button held is the closing dialog's click: no drag.
    view.insertAfter();
    const int current = section().currentLine;
    sendMouse(QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, 8);
    EXPECT_EQ(section().selectionEnd, current);
    sendMouse(QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, 8);
    EXPECT_EQ(section().selectionEnd, 8);

    dialogs.clear();
    // A double click arrives as press, release, double click, release.
    sendMouse(QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, 1);
    sendMouse(QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, 1);
    sendMouse(QEvent::MouseButtonDblClick, Qt::LeftButton, Qt::LeftButton, 1);
    sendMouse(QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, 1);
    EXPECT_EQ(dialogs, (Dialogs{{1, '\0'}})); // one Edit

    sendMouse(QEvent::MouseButtonRelease, Qt::RightButton, Qt::NoButton, 6);
    auto* menu = view.findChild<QMenu*>();
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(menu->actions().size(), 2);
    EXPECT_EQ(menu->actions()[0]->text(), QStringLiteral("Toggle BreakPoint"));
    menu->actions()[0]->trigger();
    menu->close();
    ASSERT_EQ(ide.interpreter.debugger().breakpoints().size(), 1u);
    EXPECT_EQ(ide.interpreter.debugger().breakpoints()[0], (Breakpoint{kInitialise, 6}));

    // A new or opened program forgets the breakpoints and the place.
    view.programReplaced();
    EXPECT_TRUE(ide.interpreter.debugger().breakpoints().empty());
    EXPECT_EQ(view.sectionPaneText(), QStringLiteral("Initialise - 1"));
}

class QelViewRunTest : public QelViewTest {
protected:
    QelViewRunTest()
    {
        newProgramWithHandlers(ide.program, ide.variables, messages);
        view.programReplaced();
    }
};

TEST_F(QelViewRunTest, RunningDisablesEditingButNotTheCursorAndStopEndsIt)
{
    test::ProgramBuilder(ide.program, ide.variables).add("Comment", {"one"}).add("Comment", {"two"});
    std::vector<bool> editable; // what canEdit answers at each editStateChanged
    QObject::connect(&view, &CQelView::editStateChanged, &view, [&] { editable.push_back(view.canEdit()); });
    QSignalSpy exits(&view, &CQelView::exitRequested);
    view.run();
    ASSERT_TRUE(ide.running());
    QTest::keyClick(&view, Qt::Key_Return);
    EXPECT_TRUE(dialogs.empty());
    QTest::keyClick(&view, Qt::Key_Down);
    EXPECT_EQ(section().currentLine, 1);

    view.stop();
    EXPECT_FALSE(ide.running());
    EXPECT_EQ(editable, (std::vector<bool>{false, true}));
    EXPECT_EQ(exits.size(), 0);

    // An AutoRun program starts on its first paint, and stopping it asks to exit.
    view.setAutoRun(true);
    view.viewport()->repaint();
    QCoreApplication::processEvents();
    ASSERT_TRUE(ide.running());
    EXPECT_TRUE(ide.interpreter.autoRunStarted());
    view.stop();
    view.setAutoRun(false);
    EXPECT_FALSE(ide.running());
    EXPECT_EQ(exits.size(), 1);
}

TEST_F(QelViewRunTest, APausedRunIsMarkedAndCanBeContinued)
{
    using State = IdeHost::RunState;
    test::ProgramBuilder(ide.program, ide.variables).add("Stop").add("Comment", {"after"});
    bool checked = false;
    // Once the run has paused, the checks run from the event loop the paused run sleeps in.
    auto check = [&] {
        checked = true;
        EXPECT_TRUE(view.canContinue());
        EXPECT_EQ(view.model().place(0).executionMarker, 2);
        view.continueRun();
        EXPECT_EQ(view.model().place(0).executionMarker, -1);
    };
    std::vector<State> states;
    QObject::connect(&ide.host, &IdeHost::runStateChanged, &view, [&](State state) {
        states.push_back(state);
        if (state == State::Paused && !checked)
            QTimer::singleShot(0, &view, check);
    });
    view.run();
    EXPECT_TRUE(checked);
    EXPECT_EQ(messages.texts(), (std::vector<std::string>{"\"Stop\" instruction found"}));
    EXPECT_TRUE(ide.running()); // the Initialise section finished; the program waits for events
    view.stop();
    EXPECT_EQ(states, (std::vector<State>{State::Running, State::Paused, State::Running, State::Stopped}));
}

} // namespace
} // namespace qel
