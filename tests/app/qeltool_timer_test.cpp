#include "app_support.h"

#include <gtest/gtest.h>

using namespace qel;
using namespace qel::test;

// Initialise starts a timer of 200 ms; every tick counts in Ticks and the tick that makes Ticks equal
// to a number stops the timer. Ticks at 200, 400 and 600 ms fall in a wait of 700 ms and the timer
// event adds one more; a TimerStop in the Timer section ends the ticks.
TEST(QeltoolTimer, TicksFallDuringWaitsAtTheirTimesAndTimerStopEndsThem)
{
    const struct {
        const char* stopAt;
        const char* events;
        const char* ticks;
    } cases[] = {{"99", "wait 700\ntimer\n", "4"}, {"2", "wait 1000\n", "2"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.events);
        const std::string path = saveProgram(::testing::TempDir() + "timer" + c.stopAt + ".qel", [&](Session& s) {
            s.build.add("DeclareVariable", variableFields("Integer", "Ticks", "0")).add("TimerStart", {"20"});
            s.build.section(kTimer)
                .add("Let", letFields("Ticks", "Ticks", "+", "1"))
                .add("If", ifFields("Ticks", "Equal", c.stopAt))
                .add("TimerStop")
                .add("EndIf");
        });
        const RunOutput r = runTool({"run", path, "--events", "-", "--vars"}, c.events);
        EXPECT_EQ(r.status, 0) << r.err;
        ASSERT_EQ(r.lines.size(), 2u);
        EXPECT_TRUE(holds(r.lines[1], {varRecord("Ticks", "Integer", c.ticks)}));
    }
}
