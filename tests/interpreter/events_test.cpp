#include "support/run_fixture.h"

using namespace qel;
using namespace qel::test;

using Events = RunFixture;

// Keys and characters reach their handlers through the run-time window's tests; here the mouse.
TEST_F(Events, HandlersReceiveTheMouse)
{
    handlers({
        {"qelOnMove",
         [](ProgramBuilder& b) { b.add("Let", letFields("Buttons", "qelMouseLButton", "+", "qelMouseRButton")); }},
        {"qelOnLeftButtonDown", [](ProgramBuilder& b) { b.add("Let", letFields("Clicks", "Clicks", "+", "1")); }},
    });
    build.add("DeclareVariable", variableFields("Integer", "Buttons", "0"))
        .add("DeclareVariable", variableFields("Integer", "Clicks", "0"));
    start();
    EXPECT_EQ(text("qelChar"), "x"); // set at every run start
    in->mouseEvent(5, 30, 40, true, true);
    in->mouseEvent(1, 7, 8, false, false);
    in->mouseEvent(2, 7, 8, false, false); // a handler with an empty body
    EXPECT_TRUE(errors().empty()) << errors()[0];
    // Buttons: left 1, right 2.
    EXPECT_EQ((std::vector{number("Buttons"), number("qelMouseX"), number("Clicks")}), (std::vector{3.0f, 7.0f, 1.0f}));
    EXPECT_EQ(in->currentSection(), kInitialise);
}

TEST_F(Events, CharactersTypedWhileKeyDownRunsAreDropped)
{
    handlers({{"qelOnKeyDown",
               [](ProgramBuilder& b) {
                   // Long enough for the loop to pump events, which deliver a character.
                   b.add("For", forFields("I", "1", "12000")).add("Next");
               }},
              {"qelOnChar", [](ProgramBuilder& b) { b.add("Let", letFields("Chars", "Chars", "+", "1")); }}});
    build.add("DeclareVariable", variableFields("Integer", "I", "0"))
        .add("DeclareVariable", variableFields("Integer", "Chars", "0"));
    host.onPump = [this] { in->charEvent('k'); };
    start();
    in->keyDownEvent(75);
    EXPECT_GE(host.pumps, 1);
    EXPECT_EQ(number("Chars"), 0.0f);
    host.onPump = nullptr;
    in->charEvent('k');
    EXPECT_EQ(number("Chars"), 1.0f);
}

TEST_F(Events, RunStartNeedsTheHandlersAndSystemVariables)
{
    handlers();
    program.sections[kKeyboard].lines.resize(5); // ends after qelOnKeyDown
    build.add("DeclareVariable", variableFields("Integer", "Ran", "0")).add("Let", letFields("Ran", "1"));
    start();
    EXPECT_EQ(errors(), std::vector<std::string>{runErrorText("qelOnChar handler function missing.")});
    EXPECT_EQ(number("Ran"), 0.0f);
    EXPECT_EQ(failedAt(), (std::pair<uint32_t, int>{kKeyboard, 0}));

    Session mouseless;
    mouseless.handlers();
    mouseless.program.sections[kMouse].lines.resize(2); // keeps only qelMouseX
    mouseless.variables.removeVariable("qelMouseY");
    mouseless.start();
    EXPECT_EQ(mouseless.errors(),
              std::vector<std::string>{runErrorText("Can't find the QEL system variable qelMouseY.")});
}

TEST_F(Events, PaintTimerAndErrorsInHandlers)
{
    handlers({{"qelOnMove", [](ProgramBuilder& b) { b.add("Let", letFields("Count", "Count", "/", "\"text\"")); }}});
    build.add("DeclareVariable", variableFields("Integer", "Count", "0"));
    start();
    in->paintEvent(); // only the heading comment: the notice instead of a run
    EXPECT_EQ(host.emptyPaintNotices, 1);

    in->mouseEvent(5, 1, 1, false, false);
    EXPECT_FALSE(in->isRunning());
    ASSERT_EQ(errors().size(), 1u);
    EXPECT_EQ(errors()[0], runErrorText("Expecting numeric value but found string literal - text"));
    EXPECT_EQ(failedAt().first, kMouse);
    EXPECT_EQ(program.sections[kMouse].lines[failedAt().second].type, kLet);
}

TEST_F(Events, PausedProgramsDropEventsAndFormRequestsRunFunctions)
{
    handlers({{"qelOnKeyDown", [](ProgramBuilder& b) { b.add("Let", letFields("Keys", "Keys", "+", "1")); }}});
    build.add("DeclareVariable", variableFields("Integer", "Keys", "0"))
        .add("DeclareVariable", variableFields("Integer", "Ticks", "0"))
        .add("Stop")
        .add("Let", letFields("Keys", "Keys", "+", "100"))
        .add("DeclareFunction", functionFields("OnButton"))
        .add("Let", letFields("Keys", "Keys", "+", "1000"))
        .add("EndFunction");
    build.section(kTimer).add("Let", letFields("Ticks", "Ticks", "+", "1"));
    host.whenPaused = {[](Interpreter& in) {
        in.keyDownEvent(1); // dropped: the program is paused
        in.timerEvent();
        in.formRequest("OnButton");
        in.continueRun();
    }};
    start();
    EXPECT_EQ(number("Keys"), 100.0f);
    EXPECT_EQ(number("Ticks"), 0.0f);
    EXPECT_EQ(host.texts(),
              (std::vector<std::string>{"\"Stop\" instruction found",
                                        "Form request discarded as still processing previous form request"}));
    in->timerEvent(); // RunFlags are back to 0: ticks run again
    EXPECT_EQ(number("Ticks"), 1.0f);

    in->formRequest("onbutton");
    EXPECT_EQ(number("Keys"), 1100.0f);
    EXPECT_EQ(in->cursor(kInitialise), (LineCursor{0, 5})); // the section's own line is given back
    in->formRequest("Missing");
    EXPECT_EQ(host.texts().back(), "Unable to find the function requested by the form:Missing");
}

TEST_F(Events, AnInstructionWithoutAHandlerFailsClearly)
{
    handlers();
    build.add("Stop"); // the line before is fine
    program.sections[kInitialise].lines.push_back({kDisplayVarsInListCtrl, "DisplayVarsInListCtrl", ParamBlock()});
    host.whenPaused = {[](Interpreter& in) { in.continueRun(); }};
    static DispatchTable withoutIt = dispatchTable();
    withoutIt.set(kDisplayVarsInListCtrl, DispatchTable::notAvailableYet);
    make(withoutIt).startRun();
    EXPECT_EQ(errors(), std::vector<std::string>{runErrorText("DisplayVarsInListCtrl is not available yet.")});
    EXPECT_EQ(failedAt(), (std::pair<uint32_t, int>{kInitialise, 2}));
}
