#include "interpreter/line_context.h"
#include "support/run_fixture.h"

#include <chrono>
#include <new>
#include <thread>

using namespace qel;
using namespace qel::test;

using RunLoop = RunFixture;

namespace {

void countTo(ProgramBuilder& b, int lines)
{
    b.add("DeclareVariable", variableFields("Integer", "N", "0"));
    for (int i = 0; i < lines; ++i)
        b.add("Let", letFields("N", "N", "+", "1"));
}

} // namespace

TEST_F(RunLoop, BreakpointsContinueAndSingleStep)
{
    handlers();
    countTo(build, 5); // lines 2 to 6
    host.whenPaused = {
        [&](Interpreter& in) {
            EXPECT_EQ(number("N"), 1.0f);
            in.continueRun();
        },                                         // at the breakpoint on line 3
        [&](Interpreter& in) { in.singleStep(); }, // at line 5: runs line 5 only
        [&](Interpreter& in) {
            EXPECT_EQ(number("N"), 4.0f);
            in.continueRun();
        },
    };
    in = std::make_unique<Interpreter>(program, variables, host, dispatchTable());
    host.interpreter = in.get();
    EXPECT_TRUE(in->debugger().toggleBreakpoint(kInitialise, 3));
    EXPECT_TRUE(in->debugger().toggleBreakpoint(kInitialise, 5));
    in->startRun();
    EXPECT_TRUE(errors().empty());
    EXPECT_EQ(number("N"), 5.0f);
    EXPECT_EQ(host.pauses, (std::vector<Breakpoint>{{0, 3}, {0, 5}, {0, 6}}));
    EXPECT_EQ(host.texts(), (std::vector<std::string>{"Breakpoint found", "Breakpoint found"}));
    EXPECT_TRUE(in->isRunning());
}

TEST_F(RunLoop, OnlyFiveBreakpointsAndAPausedRunWaitsInsteadOfSpinning)
{
    in = std::make_unique<Interpreter>(program, variables, host, dispatchTable());
    for (uint32_t line = 1; line <= 5; ++line)
        EXPECT_TRUE(in->debugger().toggleBreakpoint(kInitialise, line));
    EXPECT_FALSE(in->debugger().toggleBreakpoint(kInitialise, 6));
    EXPECT_TRUE(in->debugger().toggleBreakpoint(kInitialise, 2)); // toggling one off makes room
    EXPECT_TRUE(in->debugger().toggleBreakpoint(kInitialise, 6));

    Session paused;
    paused.handlers();
    countTo(paused.build, 1);
    paused.build.add("Stop").add("Let", letFields("N", "10"));
    int waitsBeforeContinue = 0;
    paused.host.whenPaused = {[&](Interpreter& in) {
                                  EXPECT_EQ(in.debugger().pausedAt(), (LineCursor{0, 4}));
                              },
                              [&](Interpreter& in) {
                                  waitsBeforeContinue = paused.host.waits;
                                  in.continueRun();
                              }};
    paused.start();
    EXPECT_EQ(waitsBeforeContinue, 2); // each wait blocks for one event instead of looping
    EXPECT_EQ(paused.host.texts(), std::vector<std::string>{"\"Stop\" instruction found"});
    EXPECT_EQ(paused.number("N"), 10.0f);
}

TEST_F(RunLoop, StopCommandWhilePausedEndsTheRun)
{
    handlers();
    countTo(build, 2);
    build.add("Stop").add("Let", letFields("N", "10"));
    host.whenPaused = {[](Interpreter& in) { in.stopRun(); }};
    start();
    EXPECT_FALSE(in->isRunning());
    EXPECT_EQ(number("N"), 2.0f);
    EXPECT_TRUE(errors().empty());
}

TEST_F(RunLoop, ExitPostQuitAndCorruptLines)
{
    handlers();
    build.add("PostQuitMessage");
    start();
    EXPECT_FALSE(in->isRunning());
    EXPECT_FALSE(in->closeRequested());

    Session exiting;
    exiting.handlers();
    exiting.build.add("ExitQEL");
    exiting.start();
    EXPECT_FALSE(exiting.in->isRunning());
    EXPECT_TRUE(exiting.in->closeRequested());

    Session corrupt;
    corrupt.handlers();
    corrupt.program.sections[kInitialise].lines.push_back({99, "?", ParamBlock()});
    corrupt.start();
    EXPECT_EQ(corrupt.errors(),
              std::vector<std::string>{
                  "Internal Error - Please report\n\nFailed to reset direct access pointer(VarClearDa)"});
}

TEST_F(RunLoop, ProfiledRunTimesEveryLineAndPumpsEveryTenThousandIterations)
{
    handlers();
    build.add("DeclareVariable", variableFields("Integer", "I", "0"))
        .add("For", forFields("I", "1", "25000"))
        .add("Next");
    start(true);
    EXPECT_EQ(host.pumps, 2); // 25,001 lines run
    const auto& ticks = in->debugger().profile().ticks[kInitialise];
    ASSERT_EQ(ticks.size(), 4u);
    EXPECT_GT(ticks[3], 0u);
    EXPECT_GE(in->debugger().profile().total, ticks[2] + ticks[3]);
    EXPECT_EQ(in->eval().displayPrecision, 4u); // still running
    in->stopRun();
    EXPECT_EQ(in->eval().displayPrecision, 69u);
}

TEST_F(RunLoop, StopOrAStepOnASectionsLastLineLeavesNothingForLaterEvents)
{
    // Stop as the last line pauses on it; Continue then ends the section, and Timer ticks run.
    handlers();
    build.add("DeclareVariable", variableFields("Integer", "Ticks", "0")).add("Stop");
    const uint32_t last = static_cast<uint32_t>(program.sections[kInitialise].lineCount() - 1);
    build.section(kTimer).add("Let", letFields("Ticks", "Ticks", "+", "1"));
    host.whenPaused = {[](Interpreter& in) { in.continueRun(); }};
    start();
    EXPECT_EQ(host.pauses, (std::vector<Breakpoint>{{kInitialise, last}}));
    EXPECT_EQ(host.texts(), std::vector<std::string>{"\"Stop\" instruction found"});
    in->timerEvent();
    in->timerEvent();
    EXPECT_EQ(number("Ticks"), 2.0f);
    EXPECT_EQ(host.pauses.size(), 1u); // and no pause turns up in a later run of a section

    // A single step from a breakpoint on the last line ends with the section.
    Session stepped;
    stepped.handlers();
    stepped.build.add("DeclareVariable", variableFields("Integer", "Ticks", "0")).add("Let", letFields("Ticks", "10"));
    stepped.build.section(kTimer).add("Let", letFields("Ticks", "Ticks", "+", "1"));
    stepped.host.whenPaused = {[](Interpreter& in) { in.singleStep(); }};
    stepped.in = std::make_unique<Interpreter>(stepped.program, stepped.variables, stepped.host, dispatchTable());
    stepped.host.interpreter = stepped.in.get();
    ASSERT_TRUE(stepped.in->debugger().toggleBreakpoint(kInitialise, last));
    stepped.in->startRun();
    stepped.in->timerEvent();
    EXPECT_EQ(stepped.number("Ticks"), 11.0f);
    EXPECT_EQ(stepped.host.pauses, (std::vector<Breakpoint>{{kInitialise, last}}));
    EXPECT_TRUE(stepped.in->isRunning());
    EXPECT_FALSE(stepped.in->isPaused());
}

TEST_F(RunLoop, AFunctionWithoutEndFunctionRunsOutAtItsOwnSectionsLastLine)
{
    handlers();
    build.add("DeclareVariable", variableFields("Integer", "A", "1")).add("Call", callFields("Open")).add("Stop");
    build.section(kMouse).add("DeclareFunction", functionFields("Open")).add("Let", letFields("A", "2"));
    start();
    EXPECT_EQ(errors(), std::vector<std::string>{runErrorText("Unexpected end of instructions")});
    EXPECT_EQ(failedAt(),
              (std::pair<uint32_t, int>{kMouse, static_cast<int>(program.sections[kMouse].lineCount() - 1)}));
    EXPECT_EQ(number("A"), 2.0f);
}

TEST_F(RunLoop, AnAllocationFailureEndsTheRunAtItsLineAndAnInterruptCutsAPauseShort)
{
    handlers();
    build.add("Comment", {"fine"}).add("Comment", {"fails"});
    static DispatchTable failing = dispatchTable();
    failing.set(kComment, [](LineContext& line) -> LineResult {
        if (line.cursor().index == 2) // the second comment
            throw std::bad_alloc();
        return Flow::Next;
    });
    in = std::make_unique<Interpreter>(program, variables, host, failing);
    host.interpreter = in.get();
    in->startRun();
    EXPECT_EQ(errors(), std::vector<std::string>{"RUN TIME ERROR\n\nOut of memory"});
    EXPECT_EQ(failedAt(), (std::pair<uint32_t, int>{kInitialise, 2}));

    // Another thread interrupts a run asleep in a Pause: the loop pumps at once after that line.
    Session pausing;
    pausing.handlers();
    pausing.build.add("DeclareVariable", variableFields("Integer", "I", "0"))
        .add("For", forFields("I", "1", "5"))
        .add("Pause", {"1000"})
        .add("Next");
    std::vector<LineCursor> pumpedAt;
    pausing.host.onPump = [&] {
        pumpedAt.push_back(pausing.in->runningLine());
        pausing.in->stopRun();
    };
    pausing.in = std::make_unique<Interpreter>(pausing.program, pausing.variables, pausing.host, dispatchTable());
    pausing.host.interpreter = pausing.in.get();
    std::thread interrupter([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        pausing.in->requestInterrupt();
    });
    const auto started = std::chrono::steady_clock::now();
    pausing.in->startRun();
    interrupter.join();
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::milliseconds(900));
    EXPECT_EQ(pumpedAt, (std::vector<LineCursor>{{kInitialise, 3}}));
    EXPECT_EQ(pausing.number("I"), 1.0f);
}

// The quiet loop performs the hot lines from their decoded forms; a profiled run takes every line to
// its handler. Both must end alike: the same values, pumps, error and line.
TEST(DecodedLines, EndAsTheirHandlersDo)
{
    using Build = std::function<void(ProgramBuilder&)>;
    const auto numbers = [](ProgramBuilder& b) {
        for (const char* name : {"I", "K", "N", "T"})
            b.add("DeclareVariable", variableFields("Integer", name, "0"));
        b.add("DeclareVariable", variableFields("Floating Point", "F", "0"));
        b.add("DeclareVariable", arrayFields("Integer", "A", 5));
    };
    const std::vector<Build> programs = {
        // Nested While and If with Else over elements, %, a negative Step and a call of a function.
        [&](ProgramBuilder& b) {
            numbers(b);
            b.add("For", forFields("I", "12000", "1", "-1"))
                .add("Let", letFields("K", "I", "%", "5", "+", "1"))
                .add("If", ifFields("A(K)", "Less Than", "3"))
                .add("Let", letFields("A(K)", "A(K)", "+", "1"))
                .add("Else")
                .add("Call", callFields("Half", "N", "I"))
                .add("Let", letFields("F", "F", "+", "N"))
                .add("EndIf")
                .add("Next")
                .add("While", {"K", "Less Than", "6"})
                .add("Let", letFields("T", "T", "-", "A(K)", "*", "-3"))
                .add("Let", letFields("K", "K", "+", "1"))
                .add("EndWhile");
            b.add("DeclareFunction", functionFields("Half", "T", "Integer"))
                .add("Let", letFields("T", "T", "/", "2"))
                .add("Return", {"T"})
                .add("EndFunction");
        },
        [&](ProgramBuilder& b) { // a subscript out of range
            numbers(b);
            b.add("For", forFields("K", "3", "9")).add("Let", letFields("A(K)", "K", "*", "K")).add("Next");
        },
        [&](ProgramBuilder& b) { // an Integer counter past its range
            numbers(b);
            b.add("For", forFields("I", "2147483000", "2147483647", "400")).add("Next");
        },
        [&](ProgramBuilder& b) { // a remainder by zero
            numbers(b);
            b.add("For", forFields("I", "3", "0", "-1"))
                .add("Let", letFields("N", "N", "+", "7", "%", "I"))
                .add("Next");
        },
        [&](ProgramBuilder& b) { // a counter stuck at 2^24
            numbers(b);
            b.add("For", forFields("F", "16777200", "16777300")).add("Next");
        },
        [&](ProgramBuilder& b) { // a stack that overflows
            numbers(b);
            b.add("Call", callFields("Deeper", "", "1"));
            b.add("DeclareFunction", functionFields("Deeper", "N")).add("Call", callFields("Deeper", "", "N"));
            b.add("EndFunction");
        },
    };
    for (size_t k = 0; k < programs.size(); ++k) {
        Session quiet, profiled;
        for (Session* s : {&quiet, &profiled}) {
            s->handlers();
            programs[k](s->build);
            s->start(s == &profiled);
        }
        SCOPED_TRACE(k);
        EXPECT_EQ(quiet.errors().size(), k == 0 ? 0u : 1u); // the first program runs through
        EXPECT_EQ(quiet.errors(), profiled.errors());
        if (!quiet.errors().empty())
            EXPECT_EQ(quiet.failedAt(), profiled.failedAt());
        EXPECT_EQ(quiet.host.pumps, profiled.host.pumps);
        for (const char* name : {"I", "K", "N", "T", "F"})
            EXPECT_EQ(quiet.number(name), profiled.number(name)) << name;
        EXPECT_EQ(quiet.variables.findVariable("A")->words, profiled.variables.findVariable("A")->words);
    }
}
