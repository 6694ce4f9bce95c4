#include "app/event_script.h"
#include "app/tool_commands.h"
#include "fileio/file_io.h"
#include "program/program_file.h"
#include "support/form_files.h"
#include "support/program_builder.h"
#include "support/run_fixture.h"
#include "support/tool_run.h"

#include <gtest/gtest.h>

#include <QImage>

#include <chrono>
#include <sstream>

using namespace qel;
using namespace qel::test;

namespace {

// A program with its handlers: qelOnKeyDown adds the key to Total and stops at a Stop line when the
// key is 27; Initialise counts to 3 and may divide by zero on request.
std::string writeProgram(const std::string& name, std::function<void(ProgramBuilder&)> initialise)
{
    Program program;
    VariableTable variables;
    ProgramBuilder b(program, variables);
    b.section(kKeyboard)
        .add("DeclareVariable", variableFields("Integer", "qelScanCode", "0"))
        .add("DeclareVariable", variableFields("String", "qelChar", "\"\""))
        .add("DeclareFunction", functionFields("qelOnKeyDown"))
        .add("Let", letFields("Total", "Total", "+", "qelScanCode"))
        .add("If", ifFields("qelScanCode", "Equal", "27"))
        .add("Stop")
        .add("EndIf")
        .add("EndFunction")
        .add("DeclareFunction", functionFields("qelOnChar"))
        .add("EndFunction");
    b.section(kMouse);
    for (const char* v : {"qelMouseX", "qelMouseY", "qelMouseLButton", "qelMouseRButton"})
        b.add("DeclareVariable", variableFields("Integer", v, "0"));
    for (const char* f :
         {"qelOnLeftButtonDown", "qelOnLeftButtonUp", "qelOnRightButtonDown", "qelOnRightButtonUp", "qelOnMove"})
        b.add("DeclareFunction", functionFields(f)).add("EndFunction");
    b.section(kInitialise)
        .add("DeclareVariable", variableFields("Integer", "Total", "0"))
        .add("DeclareVariable", variableFields("Floating Point", "Ratio", "0.5"))
        .add("DeclareVariable", variableFields("String", "Word", "\"caf\xe9\""));
    initialise(b);
    std::string path = ::testing::TempDir() + name;
    EXPECT_TRUE(writeFileAtomically(path, storeProgram(program).value()));
    return path;
}

} // namespace

TEST(QeltoolRun, EventsDriveHandlersAndVarsShowTheEndState)
{
    std::string path = writeProgram("events.qel", [](ProgramBuilder& b) {
        b.add("DeclareVariable", {"Integer", "2D Array", "2", "2", "Grid", ""})
            .add("Let", letFields("Grid(2,1)", "5"))
            .add("Let", letFields("Total", "1"));
    });
    RunOutput r = runTool({"run", path, "--events", "-", "--vars"}, "key 10\nkey 20\n");
    ASSERT_EQ(r.status, 0) << r.err;
    ASSERT_EQ(r.lines.size(), 2u);
    EXPECT_EQ(r.lines[0], "{\"end\": \"finished\", \"section\": 0, \"line\": 0}");
    EXPECT_NE(r.lines[1].find("{\"name\": \"Total\", \"type\": \"Integer\", \"dims\": \"\", \"values\": [31]}"),
              std::string::npos);
    EXPECT_NE(r.lines[1].find("{\"name\": \"Ratio\", \"type\": \"Float\", \"dims\": \"\", \"values\": [0.5]}"),
              std::string::npos);
    EXPECT_NE(r.lines[1].find("\"values\": [\"caf\\u00e9\"]"), std::string::npos);
    // First subscript outer: (1,1), (1,2), (2,1), (2,2).
    EXPECT_NE(
        r.lines[1].find("{\"name\": \"Grid\", \"type\": \"Integer\", \"dims\": \"2,2\", \"values\": [0, 0, 5, 0]}"),
        std::string::npos);
}

TEST(QeltoolRun, ErrorsPausesAndBreakpoints)
{
    std::string failing =
        writeProgram("failing.qel", [](ProgramBuilder& b) { b.add("Let", letFields("Total", "Ratio", "+", "\"x\"")); });
    RunOutput error = runTool({"run", failing});
    EXPECT_EQ(error.status, 1);
    EXPECT_EQ(error.lines, (std::vector<std::string>{"{\"message\": \"RUN TIME ERROR\\n\\nExpecting numeric value but "
                                                     "found string literal - x\", \"icon\": \"error\"}",
                                                     "{\"end\": \"error\", \"section\": 0, \"line\": 4}"}));

    std::string counting = writeProgram("counting.qel", [](ProgramBuilder& b) {
        b.add("Let", letFields("Total", "Total", "+", "1")).add("Let", letFields("Total", "Total", "+", "1"));
    });
    RunOutput paused = runTool({"run", counting, "--break", "Initialise:4", "--events", "-", "--vars"},
                               "step\ncontinue\nkey 27\nstop\n");
    ASSERT_EQ(paused.status, 0) << paused.err;
    ASSERT_EQ(paused.lines.size(), 7u);
    EXPECT_EQ(std::vector<std::string>(paused.lines.begin(), paused.lines.end() - 1),
              (std::vector<std::string>{"{\"message\": \"Breakpoint found\", \"icon\": \"information\"}",
                                        "{\"paused\": {\"section\": 0, \"line\": 4}}",
                                        "{\"paused\": {\"section\": 0, \"line\": 5}}", // one step
                                        "{\"message\": \"\\\"Stop\\\" instruction found\", \"icon\": \"information\"}",
                                        "{\"paused\": {\"section\": 2, \"line\": 7}}", // the Stop inside qelOnKeyDown
                                        "{\"end\": \"finished\", \"section\": 0, \"line\": 0}"}));
    EXPECT_NE(paused.lines.back().find("\"values\": [29]"), std::string::npos);
}

TEST(QeltoolRun, BadArgumentsAndTimeouts)
{
    EXPECT_EQ(runTool({"run"}).status, 2);
    EXPECT_EQ(runTool({"run", "x.qel", "--break", "Nowhere:3"}).status, 2);
    std::string endless = writeProgram("endless.qel", [](ProgramBuilder& b) {
        b.add("While", {"Total", "Less Than", "1"}).add("EndWhile");
    });
    auto started = std::chrono::steady_clock::now();
    RunOutput r = runTool({"run", endless, "--timeout", "0.3"});
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    EXPECT_EQ(r.status, 3);
    // The While line (4) or its EndWhile, whichever had just run.
    const std::string timedOut = "{\"end\": \"timeout\", \"section\": 0, \"line\": ";
    EXPECT_TRUE(r.lines.back() == timedOut + "4}" || r.lines.back() == timedOut + "5}") << r.lines.back();
    EXPECT_LT(seconds, 5.0);
    EXPECT_EQ(runTool({"run", endless, "--events", "-"}, "jump 3\n").status, 2);
    for (const char* bad : {"-1", "nan", "1e300", "2s"})
        EXPECT_EQ(runTool({"run", endless, "--timeout", bad}).err, "qeltool: unknown option --timeout\n") << bad;
    for (const std::string option : {"--memory-limit", "--output-limit"})
        for (const char* bad : {"0", "-5", "lots", "1048577"})
            EXPECT_EQ(runTool({"run", endless, option, bad}).err, "qeltool: unknown option " + option + "\n") << bad;
}

TEST(QeltoolRun, TheScriptIsTextOfAtMostEightMegabytes)
{
    const std::string path = writeProgram("bounded.qel", [](ProgramBuilder&) {});
    const std::string longest = "#" + std::string((size_t{8} << 20) - 2, 'x') + "\n";
    EXPECT_EQ(runTool({"run", path, "--events", "-"}, longest).status, 0);
    const RunOutput over = runTool({"run", path, "--events", "-"}, longest + "paint\n");
    EXPECT_EQ(over.status, 2);
    EXPECT_EQ(over.err, "qeltool: event script longer than 8 MB: -\n");

    // Binary data is refused at its line, its control bytes written out; a long line is cut short.
    const std::pair<std::string, std::string> refused[] = {
        {std::string("paint\n\0\0\0\n", 10), "line 2: not a line of text (control byte): \\x00\\x00\\x00"},
        {"# a comment\rwith a CR\n", "line 1: not a line of text (control byte): # a comment\\x0dwith a CR"},
        {"\n\nkey 1\x1b[2J\n", "line 3: not a line of text (control byte): key 1\\x1b[2J"},
        {std::string(300, 'z') + "\n", "line 1: cannot read event: " + std::string(100, 'z') + "..."},
    };
    for (const auto& [script, why] : refused) {
        const RunOutput bad = runTool({"run", path, "--events", "-"}, script);
        EXPECT_EQ(bad.status, 2) << why;
        EXPECT_EQ(bad.err, "qeltool: events " + why + "\n");
    }
}

TEST(QeltoolRun, SnapshotHoldsThePaintSectionsPicture)
{
    std::string path = writeProgram("paint.qel", [](ProgramBuilder& b) {
        b.add("WindowClear", {"Blue"}); // drawn by Initialise, lost at the next full repaint
        b.section(kPaint).add("WindowClear", {"Red"});
    });
    std::string png = ::testing::TempDir() + "paint.png";
    RunOutput r = runTool({"run", path, "--size", "120x80", "--snapshot", png});
    ASSERT_EQ(r.status, 0) << r.err;
    QImage initialised(QString::fromStdString(png));
    ASSERT_EQ(initialised.size(), QSize(120, 80));
    EXPECT_EQ(initialised.pixel(5, 5), qRgb(0, 0, 128));

    RunOutput repainted = runTool({"run", path, "--events", "-", "--snapshot", png}, "resize 50 40\n");
    ASSERT_EQ(repainted.status, 0) << repainted.err;
    QImage picture(QString::fromStdString(png));
    EXPECT_EQ(picture.size(), QSize(50, 40));
    EXPECT_EQ(picture.pixel(49, 39), qRgb(150, 0, 0));
}

TEST(QeltoolRun, AnErrorInTheFirstPaintEndsTheRunBeforeInitialise)
{
    std::string path = writeProgram("badpaint.qel", [](ProgramBuilder& b) {
        b.add("Let", letFields("Total", "99"));
        b.section(kPaint).add("Let", letFields("Total", "\"x\"", "+", "1"));
    });
    RunOutput r = runTool({"run", path, "--vars"});
    EXPECT_EQ(r.status, 1);
    ASSERT_GE(r.lines.size(), 3u);
    EXPECT_EQ(r.lines[1], "{\"end\": \"error\", \"section\": 1, \"line\": 1}");
    EXPECT_NE(r.lines[2].find("{\"name\": \"Total\", \"type\": \"Integer\", \"dims\": \"\", \"values\": [0]}"),
              std::string::npos);
}

TEST(QeltoolRun, MaximiseRunsThePaintSectionBeforeTheNextLineAndRestoreGoesBack)
{
    // Paint counts its runs and fills the window; Initialise reads the count right after each change.
    std::string path = writeProgram("maximise.qel", [](ProgramBuilder& b) {
        b.add("DeclareVariable", variableFields("Integer", "Paints", "0"))
            .add("DeclareVariable", variableFields("Integer", "Seen", "0"))
            .add("DeclareVariable", variableFields("Integer", "W", "0"))
            .add("DeclareVariable", variableFields("Integer", "H", "0"))
            .add("WindowMaximise")
            .add("Let", letFields("Seen", "Paints"))
            .add("WindowGetSize", {"W", "H"})
            .add("WindowRestore")
            .add("Let", letFields("Total", "Paints"));
        b.section(kPaint).add("Let", letFields("Paints", "Paints", "+", "1")).add("WindowClear", {"Green"});
    });
    std::string png = ::testing::TempDir() + "maximise.png";
    RunOutput r = runTool({"run", path, "--vars", "--size", "200x100", "--snapshot", png});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string& vars = r.lines.back();
    EXPECT_NE(vars.find("{\"name\": \"Seen\", \"type\": \"Integer\", \"dims\": \"\", \"values\": [2]}"),
              std::string::npos)
        << vars;
    EXPECT_NE(vars.find("{\"name\": \"Total\", \"type\": \"Integer\", \"dims\": \"\", \"values\": [3]}"),
              std::string::npos)
        << vars;
    // Maximised, the window is larger than the 200 x 100 it started with; restored, it is that size again.
    EXPECT_EQ(vars.find("{\"name\": \"W\", \"type\": \"Integer\", \"dims\": \"\", \"values\": [200]}"),
              std::string::npos)
        << vars;
    QImage picture(QString::fromStdString(png));
    EXPECT_EQ(picture.size(), QSize(200, 100));
    EXPECT_EQ(picture.pixel(199, 99), qRgb(0, 128, 0));
}

TEST(QeltoolRun, InfinitiesAreTextsAndScriptCharactersAreLatin1)
{
    Session s;
    s.handlers({{"qelOnChar", [](ProgramBuilder& b) { b.add("Let", letFields("Typed", "Typed", "+", "qelChar")); }}});
    s.build.add("DeclareVariable", variableFields("String", "Typed", "\"\""))
        .add("DeclareVariable", {"Floating Point", "Not an Array", "", "", "F", "", "G", "", "H", ""})
        .add("Let", letFields("F", "1", "/", "0"))
        .add("Let", letFields("G", "0", "-", "F"))
        .add("Let", letFields("H", "F", "-", "F"));
    const std::string path = ::testing::TempDir() + "latin1.qel";
    ASSERT_TRUE(writeFileAtomically(path, storeProgram(s.program).value()));

    RunOutput r = runTool({"run", path, "--events", "-", "--vars"}, "char \xc3\xa9\nchar a\nchar \xc3\xbf\nchar  \n");
    ASSERT_EQ(r.status, 0) << r.err;
    ASSERT_EQ(r.lines.size(), 2u);
    EXPECT_NE(r.lines[1].find("{\"name\": \"Typed\", \"type\": \"String\", \"dims\": \"\", \"values\": "
                              "[\"\\u00e9a\\u00ff \"]}"),
              std::string::npos)
        << r.lines[1];
    EXPECT_NE(r.lines[1].find("{\"name\": \"F\", \"type\": \"Float\", \"dims\": \"\", \"values\": [\"inf\"]}, "
                              "{\"name\": \"G\", \"type\": \"Float\", \"dims\": \"\", \"values\": [\"-inf\"]}, "
                              "{\"name\": \"H\", \"type\": \"Float\", \"dims\": \"\", \"values\": [\"nan\"]}"),
              std::string::npos)
        << r.lines[1];

    const std::pair<std::string, std::string> refused[] = {
        {"char \xe2\x82\xac", "character outside Latin-1 (U+0000 to U+00FF): "}, // the euro sign
        {"char \xc3", "text is not UTF-8: "},                                    // cut short
        {"char \xe9", "text is not UTF-8: "},                                    // Latin-1, not UTF-8
        {"char \xc1\xa9", "text is not UTF-8: "},                                // an overlong 'i'
        {"char ab", "char takes one character: "},
        {"input caf\xc3\xa9 \xe2\x82\xac", "character outside Latin-1 (U+0000 to U+00FF): "},
    };
    for (const auto& [line, why] : refused) {
        RunOutput bad = runTool({"run", path, "--events", "-"}, "key 1\n" + line + "\n");
        EXPECT_EQ(bad.status, 2) << line;
        EXPECT_EQ(bad.err, "qeltool: events line 2: " + why + line + "\n");
    }
    EventScript events;
    ASSERT_FALSE(events.load("# a comment\r\n\n  input caf\xc3\xa9\r\nkey 7"));
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(events.front().text, std::optional<std::string>("caf\xe9"));
    events.pop_front();
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(events.front().a, 7); // a last line without its line end
    events.pop_front();
    EXPECT_TRUE(events.empty());
}

TEST(QeltoolRun, FormsOpenHeadlessAndTheScriptDrivesThem)
{
    FormObjects form = newForm("Quiz Time");
    form.push_back(formObject(form, object_type::kEdit, 0, 0, "txtName"));
    form.push_back(formObject(form, object_type::kComboBox, 0, 30, "cmbAnswer"));
    form.back().caption = "Paris;Rome";
    form.back().caption2 = "1;0";
    form.back().v1Style = "True";
    form.push_back(formObject(form, object_type::kButton, 0, 60, "buttOK"));
    form.back().onClick = "Answer";
    writeForm(::testing::TempDir() + "headless_quiz.frm", form); // beside the program
    const std::string path = writeProgram("headless_quiz.qel", [](ProgramBuilder& b) {
        b.add("DeclareVariable", variableFields("String", "Name", "\"\""))
            .add("OpenForm2", {"\"headless_quiz.frm\""})
            .add("DeclareFunction", functionFields("Answer"))
            .add("Form2Exchange", {"\"Quiz Time\"", "Name", "Get", "txtName", "", "txtValue", "No"})
            .add("Form2Exchange", {"\"Quiz Time\"", "Total", "Get", "cmbAnswer", "", "cmbSelectionData", "No"})
            .add("Let", letFields("Ratio", "Ratio", "+", "1"))
            .add("EndFunction");
    });
    const RunOutput r = runTool({"run", path, "--events", "-", "--vars"}, "form \"Quiz Time\" type txtName Ann Lee\n"
                                                                          "form \"quiz time\" select cmbAnswer paris\n"
                                                                          "form \"Quiz Time\" click buttOK\n"
                                                                          "form \"Quiz Time\" click nobody\n"
                                                                          "form \"Quiz Time\" close\n"
                                                                          "form \"Quiz Time\" click buttOK\n");
    ASSERT_EQ(r.status, 0) << r.err;
    ASSERT_EQ(r.lines.size(), 2u) << r.lines[0];
    EXPECT_NE(r.lines[1].find("\"name\": \"Name\", \"type\": \"String\", \"dims\": \"\", \"values\": [\"Ann Lee\"]"),
              std::string::npos);
    EXPECT_NE(r.lines[1].find("\"name\": \"Total\", \"type\": \"Integer\", \"dims\": \"\", \"values\": [1]"),
              std::string::npos);
    EXPECT_NE(r.lines[1].find("\"name\": \"Ratio\", \"type\": \"Float\", \"dims\": \"\", \"values\": [1.5]"),
              std::string::npos)
        << "the click after the close box is dropped";

    EXPECT_EQ(runTool({"run", path, "--events", "-"}, "form Quiz frob x\n").status, 2);
}

// An error in an OnOpen run inside another OnOpen (Alpha opens Beta, whose OnOpen fails; Gamma opens
// itself until no slot is left) is one message, and the end record names the line that failed.
TEST(QeltoolRun, AnErrorInANestedOnOpenEndsTheRunOnceAtItsLine)
{
    for (const char* caption : {"Alpha", "Beta", "Gamma"}) {
        FormObjects form = newForm(caption);
        form[0].onOpen = std::string("Open") + caption;
        writeForm(::testing::TempDir() + "nested_" + caption + ".frm", form);
    }
    struct Case {
        const char* first; // the form the Initialise section opens
        std::string error;
        int line;
    };
    const Case cases[] = {
        {"Alpha", "Failed to find the control on the form - buttNo", 12},
        {"Gamma", "Limit of 10 open Forms has been reached.", 9},
    };
    for (const Case& c : cases) {
        const std::string path = writeProgram("nested_open.qel", [&](ProgramBuilder& b) {
            b.add("OpenForm2", {"\"nested_" + std::string(c.first) + ".frm\""})
                .add("DeclareFunction", functionFields("OpenAlpha"))
                .add("OpenForm2", {"\"nested_Beta.frm\""})
                .add("EndFunction")
                .add("DeclareFunction", functionFields("OpenGamma"))
                .add("OpenForm2", {"\"nested_Gamma.frm\""})
                .add("EndFunction")
                .add("DeclareFunction", functionFields("OpenBeta")) // fails just before the section's end
                .add("Form2Exchange", {"\"Beta\"", "Word", "Get", "buttNo", "", "buttCaption", "No"})
                .add("EndFunction");
        });
        const RunOutput r = runTool({"run", path});
        EXPECT_EQ(r.status, 1) << r.err;
        EXPECT_EQ(r.lines, (std::vector<std::string>{
                               "{\"message\": \"RUN TIME ERROR\\n\\n" + c.error + "\", \"icon\": \"error\"}",
                               "{\"end\": \"error\", \"section\": 0, \"line\": " + std::to_string(c.line) + "}"}));
    }
}

TEST(QeltoolRun, TheUserFormTakesTheScriptsReplyOrItsStartingValues)
{
    const std::string path = writeProgram("user_form.qel", [](ProgramBuilder& b) {
        b.add("DeclareVariable", {"Integer", "1D Array", "2", "", "Types", ""})
            .add("DeclareVariable", {"String", "2D Array", "2", "2", "Defaults", ""})
            .add("DeclareVariable", {"String", "1D Array", "2", "", "Prompts", ""})
            .add("DeclareVariable", {"String", "1D Array", "2", "", "Results", ""})
            .add("Let", letFields("Types(1)", "1"))
            .add("Let", letFields("Defaults(1,1)", "\"Ann\""))
            .add("Let", letFields("Defaults(2,1)", "\"Red\""))
            .add("Let", letFields("Defaults(2,2)", "\"Blue\""))
            .add("OpenForm", {"Types", "Defaults", "Prompts", "Results"});
    });
    const std::string results = "{\"name\": \"Results\", \"type\": \"String\", \"dims\": \"2\", \"values\": ";
    RunOutput r = runTool({"run", path, "--events", "-", "--vars"},
                          "form \"User Form\" type 1 Bo\nform \"User Form\" select 2 blue\n"
                          "form \"User Form\" click OK\n");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.lines.back().find(results + "[\"Bo\", \"Blue\"]"), std::string::npos) << r.lines.back();
    r = runTool({"run", path, "--vars"});
    EXPECT_NE(r.lines.back().find(results + "[\"Ann\", \"Red\"]"), std::string::npos) << r.lines.back();
}
