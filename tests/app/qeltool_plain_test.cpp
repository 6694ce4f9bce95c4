// qeltool runs the programs that need no picture itself, in a window without one, and hands every
// other command to qeltool-full: the two windows give the same records, and the first loads none of
// Qt's picture libraries.

#include "app/blank_window.h"
#include "app/canvas_window.h"
#include "app/run_command.h"
#include "app_support.h"

#include <gtest/gtest.h>

#include <QImage>

#include <algorithm>
#include <cstdlib>

using namespace qel;
using namespace qel::test;

namespace {

RunOutput runIn(MakeWindow window, const std::vector<std::string>& args, const std::string& script)
{
    std::istringstream in(script);
    std::ostringstream out, err;
    const int status = runProgramCommand(args, in, out, err, window);
    return {status, linesOf(out.str()), err.str()};
}

// How many times the text had doubled when the run ended, from --vars.
int doublings(const RunOutput& run)
{
    const std::string record = R"("name": "I", "type": "Integer", "dims": "", "values": [)";
    const size_t at = run.lines.empty() ? std::string::npos : run.lines.back().find(record);
    return at == std::string::npos ? -1 : std::atoi(run.lines.back().c_str() + at + record.size());
}

// Where two runs' records first differ, each record cut short (a text in --vars runs to megabytes).
std::string firstDifference(const RunOutput& a, const RunOutput& b)
{
    for (size_t k = 0; k < std::max(a.lines.size(), b.lines.size()); ++k) {
        const std::string x = k < a.lines.size() ? a.lines[k] : "", y = k < b.lines.size() ? b.lines[k] : "";
        if (x != y)
            return "\nrecord " + std::to_string(k) + ":\n" + x.substr(0, 200) + "\n" + y.substr(0, 200);
    }
    return {};
}

} // namespace

// Each repaint runs the Paint section, and the picture the window would hold is paid from the
// memory budget: a key doubles a text until the budget gives out, sooner in a larger window.
TEST(QeltoolPlain, AWindowWithoutAPictureRunsTheProgramAsTheCanvasDoes)
{
    const std::string dir = makeTempFolder() + "/";
    size_t paintLine = 0;
    const std::string program = saveProgram(
        dir + "doubling.qel",
        [&](Session& s) {
            s.build.add("DeclareVariable", variableFields("String", "S", "\"x\""))
                .add("DeclareVariable", variableFields("Integer", "I", "0"));
            paintLine = s.program.sections[kPaint].lines.size();
            s.build.section(kPaint).add("MessageBox", {"\"Painted\"", "1", "", "", "", "", "", "1", "", "", ""});
        },
        {{"qelOnKeyDown", [](ProgramBuilder& b) {
              b.add("For", forFields("I", "1", "40")).add("Let", letFields("S", "S", "+", "S")).add("Next");
          }}});
    const std::string painted = messageRecord("Painted", "information");
    const auto limited = [&](const std::string& size) {
        return std::vector<std::string>{"run", program,  "--size",   size, "--memory-limit",
                                        "20",  "--vars", "--events", "-"};
    };
    struct Case {
        std::vector<std::string> args;
        std::string script;
        long paints;
    } cases[] = {
        {limited("10x10"), "key 65\n", 1},
        {limited("1400x1400"), "key 65\n", 1},
        {limited("10x10"), "resize 1400 1400\npaint\nkey 65\n", 3},
        {{"run", program, "--size", "10x10", "--break", "Paint:" + std::to_string(paintLine), "--events", "-"},
         "step\nstop\n",
         1},
    };
    std::vector<RunOutput> runs;
    for (const Case& c : cases) {
        const RunOutput blank = runIn(BlankWindow::make, c.args, c.script);
        const RunOutput canvas = runIn(CanvasWindow::make, c.args, c.script);
        EXPECT_EQ(blank.status, canvas.status) << c.script;
        EXPECT_TRUE(blank.lines == canvas.lines) << c.script << firstDifference(blank, canvas);
        EXPECT_EQ(std::count(blank.lines.begin(), blank.lines.end(), painted), c.paints) << c.script;
        runs.push_back(blank);
    }
    // The budget ended the doublings, a doubling sooner with the larger picture from the start or
    // after a resize.
    for (const RunOutput& run : {runs[0], runs[1], runs[2]}) {
        EXPECT_EQ(run.status, 1);
        EXPECT_TRUE(std::count(run.lines.begin(), run.lines.end(), errorRecord("Out of memory")));
    }
    EXPECT_GT(doublings(runs[1]), 0);
    EXPECT_LT(doublings(runs[1]), doublings(runs[0]));
    EXPECT_EQ(doublings(runs[2]), doublings(runs[1]));
    EXPECT_EQ(runs[3].lines.at(1), "{\"paused\": {\"section\": 1, \"line\": " + std::to_string(paintLine) + "}}");
}

// The program's own process: a run with no picture loads no Qt library; a drawing, a kept picture
// or another command goes to the whole tool, found beside it.
TEST(QeltoolPlain, RunsWithoutQtAndHandsTheRestToTheWholeTool)
{
    const std::string dir = makeTempFolder() + "/", png = dir + "kept.png";
    const std::string plain = saveProgram(dir + "plain.qel", [](Session& s) {
        s.build.add("MessageBox", {"\"Hello\"", "1", "", "", "", "", "", "1", "", "", ""});
    });
    const std::string drawing = saveProgram(dir + "drawing.qel", [](Session& s) {
        s.build.add("DrawLine", {"1", "2", "30", "40", "1", "Black", "1"});
    });
    const auto run = [](const std::string& args) {
        return shell("LD_DEBUG=libs " QEL_TOOL " " + args + " </dev/null 2>&1");
    };
    const auto loadsQt = [](const Shell& s) { return s.out.find("libQt6Gui.so") != std::string::npos; };
    const Shell here = run("run " + plain);
    EXPECT_EQ(here.status, 0);
    EXPECT_NE(here.out.find(messageRecord("Hello", "information")), std::string::npos) << here.out.substr(0, 2000);
    EXPECT_FALSE(loadsQt(here));
    EXPECT_EQ(here.out.find("libQt6Core.so"), std::string::npos);

    for (const std::string& args :
         {"run " + drawing, "run " + plain + " --snapshot " + png, std::string("dump ") + plain}) {
        const Shell whole = run(args);
        EXPECT_EQ(whole.status, 0) << args;
        EXPECT_TRUE(loadsQt(whole)) << args;
    }
    EXPECT_EQ(QImage(QString::fromStdString(png)).size(), QSize(600, 400));
    EXPECT_EQ(shell(QEL_TOOL " 2>&1").status, 2); // the usage, from the whole tool
}
