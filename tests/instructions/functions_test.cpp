#include "instruction_checks.h"

using namespace qel;
using namespace qel::test;

using Functions = RunFixture;

TEST_F(Functions, CallsPassArgumentsByValueAndReturnIntoVariables)
{
    handlers();
    add(build,
        {declare("Integer", {"X=0", "R=0", "Choice=2"}), declare("Floating Point", {"Half=2.5"}),
         declare("String", {"Name=\"\"", "Greeting=\"\"", "Got"}), line("Call", callFields("Square", "R", "7.9")),
         line("Call", callFields("Greet", "Greeting", "\"Ann\"")), line("Call", callFields("Mark"))});
    // CallUsing adds the variable's value to the name; Show2.5 cannot exist, and is allowed to miss.
    add(build,
        {line("CallUsing", {"Show", "Choice", "", "", "", "", ""}),
         line("CallUsing", {"Show", "Half", "1", "", "", "", ""}), line("DeclareFunction", functionFields("Show2")),
         line("Let", letFields("Got", "\"two\"")), line("EndFunction")});
    // Functions may live in any section: these are in the Mouse section, after its handlers.
    build.section(kMouse);
    add(build, {line("DeclareFunction", functionFields("Square", "X", "Integer")),
                line("Let", letFields("X", "X", "*", "X")), line("Return", {"X"}), line("EndFunction")});
    add(build,
        {line("DeclareFunction", functionFields("Greet", "Name", "String")),
         line("Let", letFields("Name", "\"Hello \"", "+", "Name")), line("Return", {"Name"}), line("EndFunction")});
    add(build,
        {line("DeclareFunction", functionFields("Mark")), line("Let", letFields("X", "-1")), line("EndFunction")});
    EXPECT_TRUE(startsCleanly(*this));
    EXPECT_EQ(number("R"), 49.0f); // 7.9 is passed truncated into the Integer parameter
    EXPECT_EQ(text("Greeting"), "Hello Ann");
    EXPECT_EQ(number("X"), -1.0f);
    EXPECT_EQ(text("Got"), "two");
}

TEST_F(Functions, RecursionStopsAtTheStackLimitAndMisuseIsReportedWithItsMessage)
{
    handlers();
    add(build, {declare("Integer", {"Depth=0"}), line("Call", callFields("Deeper")),
                line("DeclareFunction", functionFields("Deeper")), line("Let", letFields("Depth", "Depth", "+", "1")),
                line("Call", callFields("Deeper")), line("EndFunction")});
    start();
    expectFailedAt(*this, runErrorText("User application stack overflow"), 5);
    EXPECT_EQ(number("Depth"), 3999.0f); // 3,999 frames fit; the push that fills the last slot fails

    // Each misuse stops the run with its message at its line (the case's lines begin at line 3).
    const Line callF = line("Call", callFields("F")), stop = line("Stop"), returnFive = line("Return", {"5"});
    const Line declareF = line("DeclareFunction", functionFields("F"));
    const Line pqa = line("DeclareFunction", {"F", "P", "Q", "A", "(Nothing)"});
    const Line pq = line("DeclareFunction", {"F", "P", "Q", "", "(Nothing)"});
    const Line integerF = line("DeclareFunction", functionFields("F", "", "Integer"));
    const std::vector<std::tuple<Lines, int, std::string>> cases = {
        {{line("Call", callFields("F", "", "1", "2")), stop, pqa}, 3, "Paramater count mismatch"},
        {{line("Call", callFields("F", "", "1", "", "3")), stop, pq}, 3, "Paramater count mismatch"},
        {{line("Call", callFields("Nowhere"))}, 3, "Unable to find function - Nowhere"},
        {{callF, stop, integerF}, 6, "Function was expected to return a value."},
        {{callF, stop, integerF, returnFive}, 3, "Function returned a value but the call has no Return Into variable."},
        {{callF, stop, declareF, returnFive}, 6, "Function may not return a value."},
        {{line("Return", {""})}, 3, "Found a Return matched to nothing"},
        {{line("EndFunction")}, 3, "Found an EndFunction matched to nothing"},
        {{line("If", ifFields("A", "Equal", "1")), declareF}, 4, "Misplaced DeclareFunction."},
    };
    for (const auto& [lines, at, message] : cases) {
        const Lines declared = {declare("Integer", {"A=1"}), declare("Integer", {"P=0", "Q=0"})};
        expectFailedAt(CaseRun(declared + lines + Lines{line("EndFunction")}), runErrorText(message), at);
    }
}

TEST_F(Functions, ReturnInsideALoopDiscardsItsFramesAndATimerReturnEndsTheTick)
{
    handlers();
    add(build, {declare("Integer", {"I=0", "Found=0", "Ticks=0"}), line("Call", callFields("FirstOver", "Found")),
                line("DeclareFunction", functionFields("FirstOver", "", "Integer")),
                line("For", forFields("I", "1", "100")), line("If", ifFields("I", "Greater Than", "6")),
                line("Return", {"I"}), line("EndIf"), line("Next"), line("Return", {"0"}), line("EndFunction")});
    build.section(kTimer);
    add(build, {line("Let", letFields("Ticks", "Ticks", "+", "1")), line("Return", {""}),
                line("Let", letFields("Ticks", "100"))});
    EXPECT_TRUE(startsCleanly(*this));
    EXPECT_EQ(number("Found"), 7.0f);
    in->timerEvent();
    in->timerEvent();
    EXPECT_TRUE(in->isRunning());
    EXPECT_EQ(number("Ticks"), 2.0f);
}
