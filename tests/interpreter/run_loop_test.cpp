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

// What a paused run does next: a check, then Continue.
std::function<void(Interpreter&)> checkThenContinue(std::function<void()> check)
{
    return [check](Interpreter& in) {
        check();
        in.continueRun();
    };
}

const std::vector<std::string> kStopFound = {"\"Stop\" instruction found"};

} // namespace

TEST_F(RunLoop, BreakpointsContinueAndSingleStep)
{
    handlers();
    countTo(build, 5);                                                           // lines 2 to 6
    host.whenPaused = {checkThenContinue([&] { EXPECT_EQ(number("N"), 1.0f); }), // the breakpoint on line 3
                       [&](Interpreter& in) { in.singleStep(); },                // at line 5: runs line 5 only
                       checkThenContinue([&] { EXPECT_EQ(number("N"), 4.0f); })};
    make();
    EXPECT_TRUE(in->debugger().toggleBreakpoint(kInitialise, 3));
    EXPECT_TRUE(in->debugger().toggleBreakpoint(kInitialise, 5));
    in->startRun();
    EXPECT_TRUE(errors().empty());
    EXPECT_EQ(number("N"), 5.0f);
    EXPECT_EQ(host.pauses, (std::vector<Breakpoint>{{0, 3}, {0, 5}, {0, 6}}));
    EXPECT_EQ(host.texts(), (std::vector<std::string>{"Breakpoint found", "Breakpoint found"}));
}

TEST_F(RunLoop, OnlyFiveBreakpointsAndAPausedRunWaitsInsteadOfSpinning)
{
    make();
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
                              checkThenContinue([&] { waitsBeforeContinue = paused.host.waits; })};
    paused.start();
    EXPECT_EQ(waitsBeforeContinue, 2); // each wait blocks for one event instead of looping
}

// Stop pressed while a Stop line holds the run, or while a line waits on a form, ends the run there
// without an error (and without the Timer or a handler starting after the last line).
TEST_F(RunLoop, StopWhilePausedOrWhileAFormIsOpenEndsTheRun)
{
    handlers();
    countTo(build, 2);
    build.add("Stop").add("Let", letFields("N", "10"));
    host.whenPaused = {[](Interpreter& in) { in.stopRun(); }};
    start();
    EXPECT_FALSE(in->isRunning());
    EXPECT_EQ(number("N"), 2.0f);
    EXPECT_TRUE(errors().empty());

    Session form;
    form.handlers();
    countTo(form.build, 1);
    for (const char* array : {"Types", "Prompts", "Results"})
        form.build.add("DeclareVariable", arrayFields(array == std::string("Types") ? "Integer" : "String", array, 1));
    form.build.add("DeclareVariable", arrayFields("String", "Defaults", 1, 1))
        .add("OpenForm", {"Types", "Defaults", "Prompts", "Results"}); // the section's last line
    form.host.userForms.emplace_back([&](UserForm&) { form.in->stopRun(); });
    EXPECT_FALSE(form.start().isRunning());
    EXPECT_EQ(form.number("N"), 1.0f);
    EXPECT_TRUE(form.errors().empty());
}

TEST_F(RunLoop, ExitPostQuitAndCorruptLines)
{
    // ExitQEL closing the application is checked by the main window's tests.
    Session quit;
    quit.handlers();
    quit.build.add("PostQuitMessage");
    EXPECT_FALSE(quit.start().isRunning());
    EXPECT_FALSE(quit.in->closeRequested());
    handlers();
    program.sections[kInitialise].lines.push_back({99, "?", ParamBlock()});
    start();
    EXPECT_EQ(errors(), std::vector<std::string>{
                            "Internal Error - Please report\n\nFailed to reset direct access pointer(VarClearDa)"});
}

TEST_F(RunLoop, ProfiledRunTimesAndCountsEveryLineAndPumpsEveryTenThousandIterations)
{
    handlers();
    build.add("DeclareVariable", variableFields("Integer", "I", "0"))
        .add("For", forFields("I", "1", "12500"))
        .add("Let", letFields("I", "I", "+", "0"))
        .add("Next");
    start(true);
    EXPECT_EQ(host.pumps, 2); // 25,002 lines run
    const Profile& profile = in->debugger().profile();
    const auto& ticks = profile.ticks[kInitialise];
    ASSERT_EQ(ticks.size(), 5u);
    EXPECT_GT(ticks[3], 0u);
    EXPECT_GE(profile.total, ticks[2] + ticks[3] + ticks[4]);
    // The For line once, its body and Next once an iteration (the last Next goes on past the loop).
    EXPECT_EQ(profile.counts[kInitialise], (std::vector<uint64_t>{1, 1, 1, 12500, 12500}));
    EXPECT_EQ(in->eval().displayPrecision, 4u); // still running
    in->stopRun();
    EXPECT_EQ(in->eval().displayPrecision, 69u);
}

// Every run start seeds Rand's generator: the seed a run reports repeats its numbers in a later run.
TEST_F(RunLoop, EveryRunStartSeedsRandAndTheSeedItReportsRepeatsItsNumbers)
{
    handlers();
    build.add("DeclareVariable", variableFields("Integer", "A", "0"))
        .add("DeclareVariable", variableFields("Integer", "B", "0"))
        .add("Let", letFunctionFields("A", "Rand", "30000"))
        .add("Let", letFunctionFields("B", "Rand", "30000"));
    Interpreter& run = make();
    const auto drawn = [&] {
        run.startRun();
        const std::pair<float, float> ab{number("A"), number("B")};
        run.stopRun();
        return ab;
    };
    const auto first = drawn(); // from the clock
    const uint32_t seed = run.runSeed();
    run.setSeed(seed);
    EXPECT_EQ(drawn(), first);
    EXPECT_EQ(run.runSeed(), seed);
    run.setSeed(seed + 1);
    EXPECT_NE(drawn(), first);
    run.setSeed(std::nullopt); // the clock again
    (void)drawn();
    EXPECT_NE(run.runSeed(), seed + 1);
}

// Stop as a section's last line pauses on it, and a single step from a breakpoint there ends the
// section: either way Continue leaves nothing for later events, and Timer ticks run.
TEST_F(RunLoop, StopOrAStepOnASectionsLastLineLeavesNothingForLaterEvents)
{
    for (const bool stepped : {false, true}) {
        SCOPED_TRACE(stepped ? "a step from a breakpoint" : "Stop");
        Session s;
        s.handlers();
        s.build.add("DeclareVariable", variableFields("Integer", "Ticks", "0"));
        s.build.add(stepped ? "Let" : "Stop", stepped ? letFields("Ticks", "10") : std::vector<std::string>{});
        const auto last = static_cast<uint32_t>(s.program.sections[kInitialise].lineCount() - 1);
        s.build.section(kTimer).add("Let", letFields("Ticks", "Ticks", "+", "1"));
        s.host.whenPaused = {[stepped](Interpreter& in) { stepped ? in.singleStep() : in.continueRun(); }};
        if (stepped) {
            ASSERT_TRUE(s.make().debugger().toggleBreakpoint(kInitialise, last));
            s.in->startRun();
        } else {
            s.start();
        }
        s.in->timerEvent();
        s.in->timerEvent();
        EXPECT_EQ(s.number("Ticks"), stepped ? 12.0f : 2.0f);
        EXPECT_EQ(s.host.pauses, (std::vector<Breakpoint>{{kInitialise, last}})); // none in a later run
        EXPECT_EQ(s.host.texts(), stepped ? std::vector<std::string>{"Breakpoint found"} : kStopFound);
        EXPECT_TRUE(s.in->isRunning());
        EXPECT_FALSE(s.in->isPaused());
    }
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
    make(failing).startRun();
    EXPECT_EQ(errors(), std::vector<std::string>{"RUN TIME ERROR\n\nOut of memory"});
    EXPECT_EQ(failedAt(), (std::pair<uint32_t, int>{kInitialise, 2}));

    // Another thread interrupts a run asleep in a Pause: the loop pumps at once after that line.
    Session pausing;
    pausing.handlers();
    pausing.build.add("DeclareVariable", variableFields("Integer", "I", "0")).add("For", forFields("I", "1", "5"));
    pausing.build.add("Pause", {"1000"}).add("Next");
    std::vector<LineCursor> pumpedAt;
    pausing.host.onPump = [&] {
        pumpedAt.push_back(pausing.in->runningLine());
        pausing.in->stopRun();
    };
    pausing.make();
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
        [&](ProgramBuilder& b) { // the other comparisons, a While never entered, a remainder past 2^53
            numbers(b);
            // A For whose end has a subscript variable: its Next goes on through the For's own line.
            b.add("Let", letFields("T", "2")).add("Let", letFields("A(T)", "4"));
            b.add("For", forFields("K", "1", "A(T)")).add("Let", letFields("N", "N", "+", "K")).add("Next");
            b.add("Let", letFields("F", "100000000", "*", "100000000", "*", "1000"))
                .add("Let", letFields("F", "F", "%", "7"))
                .add("While", {"K", "Greater Than or Equal", "1"})
                .add("Let", letFields("K", "K", "-", "1"))
                .add("EndWhile")
                .add("For", forFields("I", "1", "20"))
                .add("If", ifFields("I", "Less Than or Equal", "5"))
                .add("Let", letFields("T", "T", "+", "I"))
                .add("EndIf")
                .add("If", ifFields("I", "Not Equal", "7"))
                .add("Let", letFields("N", "N", "+", "1"))
                .add("EndIf");
            // Sums of two variables in every mix of Integer and Floating Point, into either, each
            // line feeding the next so the last values depend on all of them.
            for (const char* sum : {"F=I+T", "K=F+I", "F=K+F", "K=F+F", "F=F+K", "K=T+K", "F=F+F", "K=K+F"})
                b.add("Let", letFields({sum[0]}, {sum[2]}, "+", {sum[4]}));
            b.add("Next");
            // Integers beyond 2^24 in turn as each operand, a result, and an element's addend; a
            // fraction added to an element.
            b.add("Let", letFields("T", "20000000"))
                .add("Let", letFields("K", "T", "-", "I"))
                .add("Let", letFields("K", "I", "-", "T"))
                .add("Let", letFields("K", "I", "+", "1", "*", "T"))
                .add("Let", letFields("K", "2"))
                .add("Let", letFields("A(K)", "A(K)", "+", "T"))
                .add("Let", letFields("A(K)", "A(K)", "+", "0.5"));
            // A loop whose body opens with a line that has no decoded form, calling a function of
            // another section with an element.
            b.add("For", forFields("K", "1", "3"))
                .add("Comment", {"undecoded"})
                .add("Call", callFields("Twice", "N", "A(K)"))
                .add("Let", letFields("F", "F", "+", "N"))
                .add("Next");
            b.section(kMouse)
                .add("DeclareFunction", functionFields("Twice", "T", "Integer"))
                .add("Let", letFields("T", "T", "*", "2"))
                .add("Return", {"T"})
                .add("EndFunction");
        },
        [&](ProgramBuilder& b) { // Integers compared and copied: a bubble sort, a fraction, 2^24 + 1
            numbers(b);
            b.add("DeclareVariable", variableFields("Integer", "J", "0"));
            b.add("DeclareVariable", variableFields("Integer", "Big", "16777217"));
            b.add("For", forFields("K", "1", "5"))
                .add("Let", letFields("A(K)", "10", "-", "K"))
                .add("If", ifFields("K", "Less Than", "2.5"))
                .add("Let", letFields("N", "N", "+", "1"))
                .add("Else")
                .add("Let", letFields("N", "N", "+", "10"))
                .add("EndIf")
                .add("Next");
            b.add("Let", letFields("I", "1"))
                .add("While", {"I", "Less Than", "5"})
                .add("Let", letFields("K", "1"))
                .add("Let", letFields("N", "5", "-", "I"))
                .add("While", {"K", "Less Than or Equal", "N"})
                .add("Let", letFields("J", "K", "+", "1"))
                .add("If", ifFields("A(K)", "Greater Than", "A(J)"))
                .add("Let", letFields("T", "A(K)"))
                .add("Let", letFields("A(K)", "A(J)"))
                .add("Let", letFields("A(J)", "T"))
                .add("EndIf")
                .add("Let", letFields("K", "K", "+", "1"))
                .add("EndWhile")
                .add("Let", letFields("I", "I", "+", "1"))
                .add("EndWhile");
            // Beyond 2^24 an Integer's float may round: copies and tests go as the floats do.
            b.add("Let", letFields("A(K)", "Big"))
                .add("If", ifFields("Big", "Greater Than", "A(K)"))
                .add("Let", letFields("N", "N", "+", "100"))
                .add("EndIf")
                .add("Let", letFields("T", "Big"))
                .add("Let", letFields("T", "T", "+", "1"));
        },
        [&](ProgramBuilder& b) { // a subscript out of range
            numbers(b);
            b.add("For", forFields("K", "3", "9")).add("Let", letFields("A(K)", "A(K)", "+", "K")).add("Next");
        },
        [&](ProgramBuilder& b) { // an Integer test's right subscript out of range
            numbers(b);
            b.add("For", forFields("K", "1", "6")).add("If", ifFields("K", "Less Than", "A(K)")).add("EndIf");
            b.add("Next");
        },
        [&](ProgramBuilder& b) { // an EndWhile's test goes out of range
            numbers(b);
            b.add("Let", letFields("K", "1")).add("While", {"A(K)", "Greater Than or Equal", "0"});
            b.add("Let", letFields("K", "K", "+", "1")).add("EndWhile");
        },
        [&](ProgramBuilder& b) { // a copy's destination out of range
            numbers(b);
            b.add("For", forFields("K", "1", "6")).add("Let", letFields("A(K)", "K")).add("Next");
        },
        [&](ProgramBuilder& b) { // a copy's source out of range
            numbers(b);
            b.add("For", forFields("K", "5", "0", "-1")).add("Let", letFields("T", "A(K)")).add("Next");
        },
        [&](ProgramBuilder& b) { // an Integer sum past its range
            numbers(b);
            b.add("For", forFields("I", "1", "3")).add("Let", letFields("K", "K", "+", "2000000000")).add("Next");
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
            b.add("For", forFields("I", "16777200", "16777300")).add("Next");
        },
        [&](ProgramBuilder& b) { // a call of a function declared on the section's last line
            numbers(b);
            b.add("Call", callFields("Last", "", "1")).add("DeclareFunction", functionFields("Last", "N"));
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
        EXPECT_EQ(quiet.errors().size(), k < 3 ? 0u : 1u); // the first three programs run through
        EXPECT_EQ(quiet.errors(), profiled.errors());
        if (!quiet.errors().empty()) {
            EXPECT_EQ(quiet.failedAt(), profiled.failedAt());
        }
        EXPECT_EQ(quiet.host.pumps, profiled.host.pumps);
        for (const char* name : {"I", "K", "N", "T", "F", "A"}) // every element, bit for bit
            EXPECT_EQ(quiet.variables.findVariable(name)->words, profiled.variables.findVariable(name)->words) << name;
    }
}
