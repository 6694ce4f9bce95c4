#include "fileio/file_io.h"
#include "program/program_file.h"
#include "support/run_fixture.h"
#include "support/tool_run.h"

#include <gtest/gtest.h>

using namespace qel;
using namespace qel::test;

namespace {

// `qeltool run` on a program file with the given events; stdout's lines.
std::vector<std::string> runWithEvents(const std::string& path, const std::string& events)
{
    RunOutput r = runTool({"run", path, "--events", "-", "--vars"}, events);
    EXPECT_EQ(r.status, 0) << r.err;
    return r.lines;
}

// Initialise starts a timer of 200 ms; every tick counts in Ticks and the tick that makes Ticks
// equal to stopAt stops the timer.
std::string writeTimerProgram(const std::string& name, const std::string& stopAt)
{
    Session s;
    s.handlers();
    s.build.add("DeclareVariable", variableFields("Integer", "Ticks", "0")).add("TimerStart", {"20"});
    s.build.section(kTimer)
        .add("Let", letFields("Ticks", "Ticks", "+", "1"))
        .add("If", ifFields("Ticks", "Equal", stopAt))
        .add("TimerStop")
        .add("EndIf");
    std::string path = ::testing::TempDir() + name;
    EXPECT_TRUE(writeFileAtomically(path, storeProgram(s.program).value()));
    return path;
}

std::string ticks(int n)
{
    return "{\"name\": \"Ticks\", \"type\": \"Integer\", \"dims\": \"\", \"values\": [" + std::to_string(n) + "]}";
}

} // namespace

TEST(QeltoolTimer, TicksFallDuringWaitsAtTheirTimes)
{
    // Ticks at 200, 400 and 600 ms fall in the first 700 ms; the timer event adds one more.
    std::vector<std::string> lines = runWithEvents(writeTimerProgram("ticking.qel", "99"), "wait 700\ntimer\n");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_NE(lines[1].find(ticks(4)), std::string::npos) << lines[1];
}

TEST(QeltoolTimer, TimerStopInTheTimerSectionEndsTheTicks)
{
    std::vector<std::string> lines = runWithEvents(writeTimerProgram("stopping.qel", "2"), "wait 1000\n");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_NE(lines[1].find(ticks(2)), std::string::npos) << lines[1];
}
