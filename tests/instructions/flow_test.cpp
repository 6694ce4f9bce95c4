#include "support/run_fixture.h"

using namespace qel;
using namespace qel::test;

using ControlFlow = RunFixture;

TEST_F(ControlFlow, ForLoopsCountStepAndSkip)
{
    handlers();
    build.add("DeclareVariable", variableFields("Floating Point", "N", "0"))
        .add("DeclareVariable", variableFields("Integer", "I", "0"))
        .add("DeclareVariable", variableFields("Floating Point", "F", "0"))
        .add("DeclareVariable", variableFields("Integer", "Down", "0"))
        .add("DeclareVariable", variableFields("Integer", "Skipped", "77"))
        .add("For", forFields("I", "1", "10"))
        .add("Let", letFields("N", "N", "+", "I"))
        .add("Next")
        .add("For", forFields("F", "1", "2", "0.5"))
        .add("Let", letFields("Down", "Down", "+", "1"))
        .add("Next")
        .add("For", forFields("Skipped", "5", "1"))
        .add("Let", letFields("N", "0"))
        .add("Next");
    start();
    EXPECT_TRUE(errors().empty()) << errors()[0];
    EXPECT_EQ(number("N"), 55.0f);
    EXPECT_EQ(number("I"), 11.0f);
    EXPECT_EQ(number("Down"), 3.0f); // 1, 1.5, 2
    EXPECT_EQ(number("F"), 2.5f);
    EXPECT_EQ(number("Skipped"), 77.0f); // the counter is not assigned when the body is skipped
    EXPECT_TRUE(in->isRunning());        // Initialise finished; the program waits for events
}

TEST_F(ControlFlow, NegativeStepsAndLoopEndsChangedInsideTheBody)
{
    handlers();
    build.add("DeclareVariable", variableFields("String", "Seen", "\"\""))
        .add("DeclareVariable", variableFields("Integer", "I", "0"))
        .add("DeclareVariable", variableFields("Integer", "Last", "5"))
        .add("For", forFields("I", "3", "1", "-1"))
        .add("Let", letFields("Seen", "Seen", "+", "I"))
        .add("Next")
        .add("For", forFields("I", "1", "Last"))
        .add("Let", letFields("Last", "2"))
        .add("Next");
    start();
    EXPECT_EQ(text("Seen"), "321");
    EXPECT_EQ(number("I"), 3.0f); // the end is read again at every Next
}

TEST_F(ControlFlow, IfElseWhileBreakAndContinue)
{
    handlers();
    build.add("DeclareVariable", variableFields("Integer", "A", "1"))
        .add("DeclareVariable", variableFields("String", "Path", "\"\""))
        .add("DeclareVariable", variableFields("Integer", "I", "0"))
        .add("DeclareVariable", variableFields("Integer", "Sum", "0"))
        .add("If", ifFields("A", "Equal", "1"))
        .add("Let", letFields("Path", "Path", "+", "\"T\""))
        .add("Else")
        .add("Let", letFields("Path", "Path", "+", "\"F\""))
        .add("EndIf")
        .add("If", ifFields("A", "Equal", "2"))
        .add("Let", letFields("Path", "Path", "+", "\"T\""))
        .add("Else")
        .add("Let", letFields("Path", "Path", "+", "\"E\""))
        .add("EndIf")
        // While with a Break inside an If: leaves the loop at I = 4.
        .add("While", {"I", "Less Than", "100"})
        .add("Let", letFields("I", "I", "+", "1"))
        .add("If", ifFields("I", "Equal", "4"))
        .add("BreakOutOfLoop")
        .add("EndIf")
        .add("EndWhile")
        // Continue in a For skips the rest of the body and advances the counter as Next does.
        .add("For", forFields("A", "1", "5"))
        .add("If", ifFields("A", "Equal", "3"))
        .add("Continue")
        .add("EndIf")
        .add("Let", letFields("Sum", "Sum", "+", "A"))
        .add("Next");
    start();
    EXPECT_TRUE(errors().empty()) << errors()[0];
    EXPECT_EQ(text("Path"), "TE");
    EXPECT_EQ(number("I"), 4.0f);
    EXPECT_EQ(number("Sum"), 12.0f); // 1 + 2 + 4 + 5
    EXPECT_EQ(number("A"), 6.0f);
}

TEST_F(ControlFlow, MismatchesAndMissingClosersStopAtTheRightLine)
{
    struct Case {
        std::function<void(ProgramBuilder&)> lines;
        std::string message;
        int line;
    };
    const std::vector<Case> cases = {
        {[](ProgramBuilder& b) { b.add("If", ifFields("A", "Equal", "2")).add("Let", letFields("A", "3")); },
         runErrorText("Could not find matching EndIf"), 3},
        {[](ProgramBuilder& b) { b.add("If", ifFields("A", "Equal", "1")).add("Let", letFields("A", "3")); },
         runErrorText("Unexpected end of instructions"), 3},
        {[](ProgramBuilder& b) {
             b.add("While", {"A", "Equal", "1"}).add("If", ifFields("A", "Equal", "1")).add("EndWhile").add("EndIf");
         },
         runErrorText("Found an EndWhile matched to an If."), 4},
        {[](ProgramBuilder& b) {
             b.add("While", {"A", "Equal", "2"}).add("If", ifFields("A", "Equal", "1")).add("EndWhile").add("EndIf");
         },
         runErrorText("Could not find matching EndWhile"), 5},
        {[](ProgramBuilder& b) { b.add("Next"); }, runErrorText("Found a Next matched to nothing"), 2},
        {[](ProgramBuilder& b) { b.add("BreakOutOfLoop"); },
         "Internal Error - Please report\n\nUnhandled line type.(Break)", 2},
        {[](ProgramBuilder& b) { b.add("For", forFields("A", "1", "3", "0")); },
         runErrorText("Zero value for Step is not permitted."), 2},
        {[](ProgramBuilder& b) {
             b.add("For", forFields("A", "1", "0")).add("If", ifFields("A", "Equal", "1")).add("EndWhile").add("Next");
         },
         runErrorText("While - EndWhile loop split.Next"), 5},
    };
    for (size_t i = 0; i < cases.size(); ++i) {
        Session run;
        run.handlers();
        run.build.add("DeclareVariable", variableFields("Integer", "A", "1"));
        cases[i].lines(run.build);
        run.start();
        EXPECT_EQ(run.errors(), std::vector<std::string>{cases[i].message}) << "case " << i;
        EXPECT_EQ(run.failedAt(), (std::pair<uint32_t, int>{kInitialise, cases[i].line})) << "case " << i;
        EXPECT_FALSE(run.in->isRunning());
    }
}

// Counters are 32-bit floats, so past 2^24 a step of 1 (or a step too small for the counter) leaves
// the counter where it was: such a loop stops at its Next; one that still reaches its end ends as before.
TEST_F(ControlFlow, LoopsWhoseCounterCannotChangeStopAtTheirNext)
{
    struct Case {
        std::string type, start, end, step;
        bool viaContinue;
        float counterAfter; // when the loop ends
    };
    const std::string stuck = runErrorText("The loop counter can no longer change - C");
    const std::vector<Case> cases = {
        {"Integer", "16777200", "16777300", "", false, 0},
        {"Integer", "16777200", "16777300", "", true, 0},
        {"Floating Point", "16777000", "17000000", "1", false, 0},
        {"Floating Point", "1", "2", "0.00000001", false, 0},
        {"Floating Point", "-16777200", "-16777300", "-1", true, 0},
        {"Integer", "16777200", "16777215", "", false, 16777216.0f},        // just below: ends
        {"Floating Point", "16777200", "16777215", "1", true, 16777216.0f}, // and through Continue
        {"Floating Point", "0", "1", "0.25", false, 1.25f},
    };
    for (size_t i = 0; i < cases.size(); ++i) {
        const Case& c = cases[i];
        Session run;
        run.handlers();
        run.build.add("DeclareVariable", variableFields(c.type, "C", "0"))
            .add("DeclareVariable", variableFields("Integer", "Rounds", "0"))
            .add("For", c.step.empty() ? forFields("C", c.start, c.end) : forFields("C", c.start, c.end, c.step))
            .add("Let", letFields("Rounds", "Rounds", "+", "1"));
        if (c.viaContinue)
            run.build.add("If", ifFields("Rounds", "Greater Than", "0")).add("Continue").add("EndIf");
        run.build.add("Next");
        run.start();
        const int nextLine = c.viaContinue ? 8 : 5;
        if (c.counterAfter == 0) {
            EXPECT_EQ(run.errors(), std::vector<std::string>{stuck}) << "case " << i;
            EXPECT_EQ(run.failedAt(), (std::pair<uint32_t, int>{kInitialise, nextLine})) << "case " << i;
        } else {
            EXPECT_TRUE(run.errors().empty()) << "case " << i;
            EXPECT_EQ(run.number("C"), c.counterAfter) << "case " << i;
        }
    }
}
