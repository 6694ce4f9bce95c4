#include "support/run_fixture.h"

using namespace qel;
using namespace qel::test;

using Functions = RunFixture;

TEST_F(Functions, CallsPassArgumentsByValueAndReturnIntoVariables)
{
    handlers();
    build.add("DeclareVariable", variableFields("Integer", "X", "0"))
        .add("DeclareVariable", variableFields("Integer", "R", "0"))
        .add("DeclareVariable", variableFields("String", "Name", "\"\""))
        .add("DeclareVariable", variableFields("String", "Greeting", "\"\""))
        .add("Call", callFields("Square", "R", "7.9"))
        .add("Call", callFields("Greet", "Greeting", "\"Ann\""))
        .add("Call", callFields("Mark"));
    // Functions may live in any section: these are in the Mouse section, after its handlers.
    build.section(kMouse)
        .add("DeclareFunction", functionFields("Square", "X", "Integer"))
        .add("Let", letFields("X", "X", "*", "X"))
        .add("Return", {"X"})
        .add("EndFunction")
        .add("DeclareFunction", functionFields("Greet", "Name", "String"))
        .add("Let", letFields("Name", "\"Hello \"", "+", "Name"))
        .add("Return", {"Name"})
        .add("EndFunction")
        .add("DeclareFunction", functionFields("Mark"))
        .add("Let", letFields("X", "-1"))
        .add("EndFunction");
    start();
    EXPECT_TRUE(errors().empty()) << errors()[0];
    EXPECT_EQ(number("R"), 49.0f); // 7.9 is passed truncated into the Integer parameter
    EXPECT_EQ(text("Greeting"), "Hello Ann");
    EXPECT_EQ(number("X"), -1.0f);
}

TEST_F(Functions, CallUsingBuildsTheNameFromAVariable)
{
    handlers();
    build.add("DeclareVariable", variableFields("Integer", "Choice", "2"))
        .add("DeclareVariable", variableFields("Floating Point", "Half", "2.5"))
        .add("DeclareVariable", variableFields("String", "Got", "\"\""))
        .add("CallUsing", {"Show", "Choice", "", "", "", "", ""})
        .add("CallUsing", {"Show", "Half", "1", "", "", "", ""}) // Show2.5 cannot exist: allowed to miss
        .add("DeclareFunction", functionFields("Show2"))
        .add("Let", letFields("Got", "\"two\""))
        .add("EndFunction");
    start();
    EXPECT_TRUE(errors().empty()) << errors()[0];
    EXPECT_EQ(text("Got"), "two");
}

TEST_F(Functions, RecursionStopsAtTheStackLimit)
{
    handlers();
    build.add("DeclareVariable", variableFields("Integer", "Depth", "0"))
        .add("Call", callFields("Deeper"))
        .add("DeclareFunction", functionFields("Deeper"))
        .add("Let", letFields("Depth", "Depth", "+", "1"))
        .add("Call", callFields("Deeper"))
        .add("EndFunction");
    start();
    EXPECT_EQ(errors(), std::vector<std::string>{runErrorText("User application stack overflow")});
    EXPECT_EQ(number("Depth"), 3999.0f); // 3,999 frames fit; the push that fills the last slot fails
    EXPECT_EQ(failedAt(), (std::pair<uint32_t, int>{kInitialise, 5}));
}

TEST_F(Functions, MisuseIsReportedWithItsMessage)
{
    struct Case {
        std::function<void(ProgramBuilder&)> lines;
        std::string message;
        int line;
    };
    auto twoParameters = [](ProgramBuilder& b) {
        b.add("DeclareVariable", variableFields("Integer", "P", "0"))
            .add("DeclareVariable", variableFields("Integer", "Q", "0"));
    };
    const std::vector<Case> cases = {
        {[&](ProgramBuilder& b) {
             twoParameters(b);
             b.add("Call", callFields("F", "", "1", "2"))
                 .add("Stop")
                 .add("DeclareFunction", {"F", "P", "Q", "A", "(Nothing)"})
                 .add("EndFunction");
         },
         runErrorText("Paramater count mismatch"), 4},
        {[&](ProgramBuilder& b) {
             twoParameters(b);
             b.add("Call", callFields("F", "", "1", "", "3"))
                 .add("Stop")
                 .add("DeclareFunction", {"F", "P", "Q", "", "(Nothing)"})
                 .add("EndFunction");
         },
         runErrorText("Paramater count mismatch"), 4},
        {[](ProgramBuilder& b) { b.add("Call", callFields("Nowhere")); },
         runErrorText("Unable to find function - Nowhere"), 2},
        {[](ProgramBuilder& b) {
             b.add("Call", callFields("F"))
                 .add("Stop")
                 .add("DeclareFunction", functionFields("F", "", "Integer"))
                 .add("EndFunction");
         },
         runErrorText("Function was expected to return a value."), 5},
        {[](ProgramBuilder& b) {
             b.add("Call", callFields("F"))
                 .add("Stop")
                 .add("DeclareFunction", functionFields("F", "", "Integer"))
                 .add("Return", {"5"})
                 .add("EndFunction");
         },
         runErrorText("Function returned a value but the call has no Return Into variable."), 2},
        {[](ProgramBuilder& b) {
             b.add("Call", callFields("F"))
                 .add("Stop")
                 .add("DeclareFunction", functionFields("F"))
                 .add("Return", {"5"})
                 .add("EndFunction");
         },
         runErrorText("Function may not return a value."), 5},
        {[](ProgramBuilder& b) { b.add("Return", {""}); }, runErrorText("Found a Return matched to nothing"), 2},
        {[](ProgramBuilder& b) { b.add("EndFunction"); }, runErrorText("Found an EndFunction matched to nothing"), 2},
        {[](ProgramBuilder& b) {
             b.add("If", ifFields("A", "Equal", "1")).add("DeclareFunction", functionFields("F")).add("EndFunction");
         },
         runErrorText("Misplaced DeclareFunction."), 3},
    };
    for (size_t i = 0; i < cases.size(); ++i) {
        Session run;
        run.handlers();
        run.build.add("DeclareVariable", variableFields("Integer", "A", "1"));
        cases[i].lines(run.build);
        run.start();
        EXPECT_EQ(run.errors(), std::vector<std::string>{cases[i].message}) << "case " << i;
        EXPECT_EQ(run.failedAt().second, cases[i].line) << "case " << i;
    }
}

TEST_F(Functions, ReturnInsideALoopDiscardsItsFramesAndATimerReturnEndsTheTick)
{
    handlers();
    build.add("DeclareVariable", variableFields("Integer", "I", "0"))
        .add("DeclareVariable", variableFields("Integer", "Found", "0"))
        .add("DeclareVariable", variableFields("Integer", "Ticks", "0"))
        .add("Call", callFields("FirstOver", "Found"))
        .add("DeclareFunction", functionFields("FirstOver", "", "Integer"))
        .add("For", forFields("I", "1", "100"))
        .add("If", ifFields("I", "Greater Than", "6"))
        .add("Return", {"I"})
        .add("EndIf")
        .add("Next")
        .add("Return", {"0"})
        .add("EndFunction");
    build.section(kTimer)
        .add("Let", letFields("Ticks", "Ticks", "+", "1"))
        .add("Return", {""})
        .add("Let", letFields("Ticks", "100"));
    start();
    EXPECT_TRUE(errors().empty()) << errors()[0];
    EXPECT_EQ(number("Found"), 7.0f);
    in->timerEvent();
    in->timerEvent();
    EXPECT_TRUE(in->isRunning());
    EXPECT_EQ(number("Ticks"), 2.0f);
}
