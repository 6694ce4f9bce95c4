#include "instruction_checks.h"

using namespace qel;
using namespace qel::test;

using ControlFlow = RunFixture;

TEST_F(ControlFlow, ForLoopsCountStepSkipAndReadTheirEndAgain)
{
    handlers();
    add(build, {declare("Floating Point", {"N=0", "F=0"}), declare("Integer", {"I=0", "Down=0", "Skipped=77", "J=0"}),
                declare("String", {"Seen=\"\""}), declare("Integer", {"Last=5"})});
    add(build, {line("For", forFields("I", "1", "10")), line("Let", letFields("N", "N", "+", "I")), line("Next")});
    add(build,
        {line("For", forFields("F", "1", "2", "0.5")), line("Let", letFields("Down", "Down", "+", "1")), line("Next")});
    add(build, {line("For", forFields("Skipped", "5", "1")), line("Let", letFields("N", "0")), line("Next")});
    add(build,
        {line("For", forFields("J", "3", "1", "-1")), line("Let", letFields("Seen", "Seen", "+", "J")), line("Next")});
    add(build, {line("For", forFields("J", "1", "Last")), line("Let", letFields("Last", "2")), line("Next")});
    EXPECT_TRUE(startsCleanly(*this));
    // Down counts 1, 1.5 and 2; Skipped's body never runs, so it is not assigned; J's end is read
    // again at every Next.
    EXPECT_EQ(numbers(*this, {"N", "I", "Down", "F", "Skipped", "J"}), (std::vector<float>{55, 11, 3, 2.5, 77, 3}));
    EXPECT_EQ(text("Seen"), "321");
    EXPECT_TRUE(in->isRunning()); // Initialise finished; the program waits for events
}

TEST_F(ControlFlow, IfElseWhileBreakContinueAndMismatchesStoppingAtTheRightLine)
{
    handlers();
    add(build, {declare("Integer", {"A=1", "I=0", "Sum=0"}), declare("String", {"Path=\"\""})});
    for (const char* value : {"1", "2"})
        add(build, {line("If", ifFields("A", "Equal", value)), line("Let", letFields("Path", "Path", "+", "\"T\"")),
                    line("Else"), line("Let", letFields("Path", "Path", "+", "\"E\"")), line("EndIf")});
    // While with a Break inside an If: leaves the loop at I = 4.
    add(build, {line("While", {"I", "Less Than", "100"}), line("Let", letFields("I", "I", "+", "1"))});
    add(build, {line("If", ifFields("I", "Equal", "4")), line("BreakOutOfLoop"), line("EndIf"), line("EndWhile")});
    // Continue in a For skips the rest of the body and advances the counter as Next does.
    add(build, {line("For", forFields("A", "1", "5")), line("If", ifFields("A", "Equal", "3")), line("Continue"),
                line("EndIf")});
    add(build, {line("Let", letFields("Sum", "Sum", "+", "A")), line("Next")});
    EXPECT_TRUE(startsCleanly(*this));
    EXPECT_EQ(text("Path"), "TE");
    EXPECT_EQ(numbers(*this, {"I", "Sum", "A"}), (std::vector<float>{4, 12, 6})); // Sum is 1 + 2 + 4 + 5

    // Each program's run stops with its message at the line given.
    const Line ifOne = line("If", ifFields("A", "Equal", "1"));
    const std::vector<std::tuple<Lines, int, std::string>> cases = {
        {{{"If", ifFields("A", "Equal", "2")}, {"Let", letFields("A", "3")}}, 3, "Could not find matching EndIf"},
        {{ifOne, {"Let", letFields("A", "3")}}, 3, "Unexpected end of instructions"},
        {{{"While", {"A", "Equal", "1"}}, ifOne, {"EndWhile"}, {"EndIf"}}, 4, "Found an EndWhile matched to an If."},
        {{{"While", {"A", "Equal", "2"}}, ifOne, {"EndWhile"}, {"EndIf"}}, 5, "Could not find matching EndWhile"},
        {{{"Next"}}, 2, "Found a Next matched to nothing"},
        {{{"For", forFields("A", "1", "3", "0")}}, 2, "Zero value for Step is not permitted."},
        {{{"For", forFields("A", "1", "0")}, ifOne, {"EndWhile"}, {"Next"}}, 5, "While - EndWhile loop split.Next"},
    };
    for (const auto& [lines, at, message] : cases)
        expectFailedAt(CaseRun(Lines{declare("Integer", {"A=1"})} + lines), runErrorText(message), at);
    expectFailedAt(CaseRun({declare("Integer", {"A=1"}), line("BreakOutOfLoop")}),
                   "Internal Error - Please report\n\nUnhandled line type.(Break)", 2);
}

// Counters are 32-bit floats, so past 2^24 a step of 1 (or a step too small for the counter) leaves
// the counter where it was: such a loop stops at its Next; one that still reaches its end ends as before.
TEST_F(ControlFlow, LoopsWhoseCounterCannotChangeStopAtTheirNext)
{
    // The counter's type, start, end and step, whether the body ends in Continue, and the counter
    // when the loop ends (0: stuck).
    const std::tuple<std::string, std::string, std::string, std::string, bool, float> cases[] = {
        {"Integer", "16777200", "16777300", "", false, 0},
        {"Integer", "16777200", "16777300", "", true, 0},
        {"Floating Point", "16777000", "17000000", "1", false, 0},
        {"Floating Point", "1", "2", "0.00000001", false, 0},
        {"Floating Point", "-16777200", "-16777300", "-1", true, 0},
        {"Integer", "16777200", "16777215", "", false, 16777216.0f},        // just below: ends
        {"Floating Point", "16777200", "16777215", "1", true, 16777216.0f}, // and through Continue
        {"Floating Point", "0", "1", "0.25", false, 1.25f},
    };
    for (const auto& [type, start, end, step, viaContinue, counterAfter] : cases) {
        SCOPED_TRACE(start + " " + step);
        Lines loop = {declare(type, {"C=0"}), declare("Integer", {"Rounds=0"}),
                      line("For", forFields("C", start, end, step)),
                      line("Let", letFields("Rounds", "Rounds", "+", "1"))};
        if (viaContinue)
            loop = loop + Lines{line("If", ifFields("Rounds", "Greater Than", "0")), line("Continue"), line("EndIf")};
        const CaseRun run(loop + Lines{line("Next")});
        if (counterAfter == 0) {
            expectFailedAt(run, runErrorText("The loop counter can no longer change - C"), viaContinue ? 8 : 5);
        } else {
            EXPECT_TRUE(run.errors().empty());
            EXPECT_EQ(run.number("C"), counterAfter);
        }
    }
}
