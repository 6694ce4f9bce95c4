// `qeltool run`: the event script, the end records and --vars, breakpoints, limits, snapshots and
// forms run headless.

#include "app/event_script.h"
#include "app_support.h"
#include "support/form_files.h"

#include <gtest/gtest.h>

#include <QImage>

#include <regex>

using namespace qel;
using namespace qel::test;

namespace {

// A program with its handlers: qelOnKeyDown adds the key to Total and stops at a Stop line when the
// key is 27; Initialise declares Total, Ratio and Word, then holds the lines of `initialise`.
std::string writeProgram(const std::string& name, const std::function<void(ProgramBuilder&)>& initialise)
{
    const auto keyDown = [](ProgramBuilder& b) {
        b.add("Let", letFields("Total", "Total", "+", "qelScanCode"))
            .add("If", ifFields("qelScanCode", "Equal", "27"))
            .add("Stop")
            .add("EndIf");
    };
    return saveProgram(::testing::TempDir() + name,
                       [&](Session& s) {
                           s.build.add("DeclareVariable", variableFields("Integer", "Total", "0"))
                               .add("DeclareVariable", variableFields("Floating Point", "Ratio", "0.5"))
                               .add("DeclareVariable", variableFields("String", "Word", "\"caf\xe9\""));
                           initialise(s.build);
                       },
                       {{"qelOnKeyDown", keyDown}});
}

} // namespace

TEST(QeltoolRun, ErrorsPausesAndBreakpoints)
{
    // A run-time error in Initialise ends the run at its line.
    const std::string failing =
        writeProgram("failing.qel", [](ProgramBuilder& b) { b.add("Let", letFields("Total", "Ratio", "+", "\"x\"")); });
    RunOutput error = runTool({"run", failing, "--vars"});
    EXPECT_EQ(error.status, 1);
    ASSERT_EQ(error.lines.size(), 3u);
    EXPECT_EQ(error.lines[0], errorRecord("Expecting numeric value but found string literal - x"));
    EXPECT_EQ(error.lines[1], endRecord("error", 0, 4));
    EXPECT_TRUE(holds(error.lines[2], {varRecord("Total", "Integer", "0")}));

    std::string counting = writeProgram("counting.qel", [](ProgramBuilder& b) {
        b.add("Let", letFields("Total", "Total", "+", "1")).add("Let", letFields("Total", "Total", "+", "1"));
    });
    RunOutput paused = runTool({"run", counting, "--break", "Initialise:4", "--events", "-", "--vars"},
                               "step\ncontinue\nkey 27\nstop\n");
    ASSERT_EQ(paused.status, 0) << paused.err;
    ASSERT_EQ(paused.lines.size(), 7u);
    EXPECT_EQ(std::vector<std::string>(paused.lines.begin(), paused.lines.end() - 1),
              (std::vector<std::string>{messageRecord("Breakpoint found", "information"),
                                        "{\"paused\": {\"section\": 0, \"line\": 4}}",
                                        "{\"paused\": {\"section\": 0, \"line\": 5}}", // one step
                                        messageRecord("\\\"Stop\\\" instruction found", "information"),
                                        "{\"paused\": {\"section\": 2, \"line\": 7}}", // the Stop inside qelOnKeyDown
                                        kFinished}));
    EXPECT_TRUE(holds(paused.lines.back(), {varRecord("Total", "Integer", "29")}));
}

// The time limit itself is HostileInput.TheTimeLimitHoldsWhateverTheProgramDoes.
TEST(QeltoolRun, BadArgumentsAndAScriptThatIsNotTextOfAtMostEightMegabytes)
{
    EXPECT_EQ(runTool({"run"}).status, 2);
    EXPECT_EQ(runTool({"run", "x.qel", "--break", "Nowhere:3"}).status, 2);
    const std::string path = writeProgram("arguments.qel", [](ProgramBuilder&) {});
    EXPECT_EQ(runTool({"run", path, "--events", "-"}, "jump 3\n").status, 2);
    for (const char* bad : {"-1", "nan", "1e300", "2s"})
        EXPECT_EQ(runTool({"run", path, "--timeout", bad}).err, "qeltool: unknown option --timeout\n") << bad;
    for (const std::string option : {"--memory-limit", "--output-limit"})
        for (const char* bad : {"0", "-5", "lots", "1048577"})
            EXPECT_EQ(runTool({"run", path, option, bad}).err, "qeltool: unknown option " + option + "\n") << bad;
    for (const char* bad : {"-5", "+5", "lots", "4294967296", ""})
        EXPECT_EQ(runTool({"run", path, "--seed", bad}).err, "qeltool: unknown option --seed\n") << bad;

    const std::string longest = "#" + std::string((size_t{8} << 20) - 2, 'x') + "\n";
    EXPECT_EQ(runTool({"run", path, "--events", "-"}, longest).status, 0);
    // Binary data is refused at its line, its control bytes written out; a long line is cut short.
    const std::pair<std::string, std::string> refused[] = {
        {longest + "paint\n", "event script longer than 8 MB: -"},
        {std::string("paint\n\0\0\0\n", 10), "events line 2: not a line of text (control byte): \\x00\\x00\\x00"},
        {"# a comment\rwith a CR\n", "events line 1: not a line of text (control byte): # a comment\\x0dwith a CR"},
        {"\n\nkey 1\x1b[2J\n", "events line 3: not a line of text (control byte): key 1\\x1b[2J"},
        {std::string(300, 'z') + "\n", "events line 1: cannot read event: " + std::string(100, 'z') + "..."},
        {"seed -1\n", "events line 1: seed takes a whole number 0 to 4294967295: seed -1"},
        {"seed 4294967296\n", "events line 1: seed takes a whole number 0 to 4294967295: seed 4294967296"},
        {"seed\n", "events line 1: seed takes a whole number 0 to 4294967295: seed"},
        {"seed 5 6\n", "events line 1: seed takes a whole number 0 to 4294967295: seed 5 6"},
        {"# first\nkey 1\nseed 5\n", "events line 3: seed and size must come before every other event: seed 5"},
        {"seed 5\nseed 5\n", "events line 2: seed and size must come before every other event: seed 5"},
        {"size 5 5\nseed 5\nsize 6 6\n", "events line 3: seed and size must come before every other event: size 6 6"},
        {"size 0 5\n", "events line 1: size takes a width and a height, 1 to 10000: size 0 5"},
        {"size 5 10001\n", "events line 1: size takes a width and a height, 1 to 10000: size 5 10001"},
        {"size 5\n", "events line 1: size takes a width and a height, 1 to 10000: size 5"},
    };
    for (const auto& [script, why] : refused) {
        const RunOutput bad = runTool({"run", path, "--events", "-"}, script);
        EXPECT_EQ(bad.status, 2) << why;
        EXPECT_EQ(bad.err, "qeltool: " + why + "\n");
    }
}

TEST(QeltoolRun, ASeedFromTheOptionOrTheScriptsFirstLineRepeatsTheRandomNumbers)
{
    const std::string path = writeProgram("seeded.qel", [](ProgramBuilder& b) {
        for (const char* name : {"A", "B", "C"})
            b.add("DeclareVariable", variableFields("Integer", name, "0"));
        for (const char* name : {"A", "B", "C"})
            b.add("Let", letFunctionFields(name, "Rand", "30000"));
    });
    const auto randoms = [&](std::vector<std::string> options, const std::string& script) {
        std::vector<std::string> args = {"run", path, "--vars"};
        args.insert(args.end(), options.begin(), options.end());
        const RunOutput r = runTool(args, script);
        EXPECT_EQ(r.status, 0) << r.err;
        return r.lines.empty() ? std::string() : r.lines.back();
    };
    const std::string seven = randoms({"--seed", "7"}, "");
    ASSERT_TRUE(holds(seven, {"\"name\": \"C\""}));
    // The option wins over the script's line.
    const std::tuple<std::vector<std::string>, std::string, bool> runs[] = {
        {{"--seed", "7"}, "", true},
        {{"--events", "-"}, "# seeded\nseed 7\npaint\n", true},
        {{"--seed", "7", "--events", "-"}, "seed 8\n", true},
        {{"--events", "-"}, "seed 8\n", false},
        {{"--seed", "4294967295"}, "", false},
    };
    for (const auto& [options, script, same] : runs)
        EXPECT_EQ(randoms(options, script) == seven, same) << script;
    EXPECT_EQ(randoms({"--seed", "4294967295"}, ""), randoms({"--events", "-"}, "seed 4294967295\n"));

    // A script's size line sizes the window the run starts in, unless --size says otherwise.
    const std::string picture = ::testing::TempDir() + "seeded.png";
    for (const auto& [options, size] : {std::pair{std::vector<std::string>{}, QSize(30, 20)},
                                        {std::vector<std::string>{"--size", "40x10"}, QSize(40, 10)}}) {
        std::vector<std::string> args = {"run", path, "--events", "-", "--snapshot", picture};
        args.insert(args.end(), options.begin(), options.end());
        EXPECT_EQ(runTool(args, "seed 3\nsize 30 20\npaint\n").status, 0);
        EXPECT_EQ(QImage(QString::fromStdString(picture)).size(), size);
    }
}

TEST(QeltoolRun, ProfileRecordsFollowTheEndRecordOneForEachLineThatRanInSectionAndLineOrder)
{
    const std::string path = writeProgram("profiled.qel", [](ProgramBuilder& b) {
        b.add("DeclareVariable", variableFields("Integer", "I", "0"))
            .add("For", forFields("I", "1", "5"))
            .add("Let", letFields("Total", "Total", "+", "I"))
            .add("Next");
    });
    const RunOutput r = runTool({"run", path, "--profile", "--vars", "--events", "-"}, "key 2\nkey 3\n");
    ASSERT_EQ(r.status, 0) << r.err;
    ASSERT_GE(r.lines.size(), 3u);
    EXPECT_EQ(r.lines.front(), kFinished);
    EXPECT_TRUE(holds(r.lines.back(), {varRecord("Total", "Integer", "20")}));
    const std::regex record(
        R"(\{"profile": \{"section": (\d), "line": (\d+), "count": (\d+), "share": (\d+(\.\d\d?)?)\}\})");
    std::string counted; // section:line=count of each record
    double shares = 0;
    for (size_t i = 1; i + 1 < r.lines.size(); ++i) {
        std::smatch m;
        ASSERT_TRUE(std::regex_match(r.lines[i], m, record)) << r.lines[i];
        counted += m[1].str() + ":" + m[2].str() + "=" + m[3].str() + " ";
        shares += std::stod(m[4]);
    }
    EXPECT_LE(shares, 100.0);
    // In section then line order, each line that ran: the For line once, its body and Next five
    // times (the last Next goes on past the loop); in qelOnKeyDown, its If false, EndIf is skipped.
    EXPECT_EQ(counted, "0:0=1 0:1=1 0:2=1 0:3=1 0:4=1 0:5=1 0:6=5 0:7=5 2:4=2 2:5=2 2:8=2 ");
}

TEST(QeltoolRun, MaximiseRunsThePaintSectionBeforeTheNextLineAndRestoreGoesBack)
{
    // Paint counts its runs and fills the window; Initialise reads the count right after each change.
    std::string path = writeProgram("maximise.qel", [](ProgramBuilder& b) {
        for (const char* name : {"Paints", "Seen", "W", "H"})
            b.add("DeclareVariable", variableFields("Integer", name, "0"));
        b.add("WindowMaximise")
            .add("Let", letFields("Seen", "Paints"))
            .add("WindowGetSize", {"W", "H"})
            .add("WindowRestore")
            .add("Let", letFields("Total", "Paints"));
        b.section(kPaint).add("Let", letFields("Paints", "Paints", "+", "1")).add("WindowClear", {"Green"});
    });
    std::string png = ::testing::TempDir() + "maximise.png";
    RunOutput r = runTool({"run", path, "--vars", "--size", "200x100", "--snapshot", png});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(holds(r.lines.back(), {varRecord("Seen", "Integer", "2"), varRecord("Total", "Integer", "3")}));
    // Maximised, the window is larger than the 200 x 100 it started with; restored, it is that size again.
    EXPECT_FALSE(holds(r.lines.back(), {varRecord("W", "Integer", "200")}));
    QImage picture(QString::fromStdString(png));
    EXPECT_EQ(picture.size(), QSize(200, 100));
    EXPECT_EQ(picture.pixel(199, 99), qRgb(0, 128, 0));
}

TEST(QeltoolRun, InfinitiesAreTextsAndScriptCharactersAreLatin1)
{
    const std::string path = saveProgram(
        ::testing::TempDir() + "latin1.qel",
        [](Session& s) {
            s.build.add("DeclareVariable", variableFields("String", "Typed", "\"\""))
                .add("DeclareVariable", {"Floating Point", "Not an Array", "", "", "F", "", "G", "", "H", ""})
                .add("Let", letFields("F", "1", "/", "0"))
                .add("Let", letFields("G", "0", "-", "F"))
                .add("Let", letFields("H", "F", "-", "F"));
        },
        {{"qelOnChar", [](ProgramBuilder& b) { b.add("Let", letFields("Typed", "Typed", "+", "qelChar")); }}});

    RunOutput r = runTool({"run", path, "--events", "-", "--vars"}, "char \xc3\xa9\nchar a\nchar \xc3\xbf\nchar  \n");
    ASSERT_EQ(r.status, 0) << r.err;
    ASSERT_EQ(r.lines.size(), 2u);
    EXPECT_TRUE(holds(r.lines[1], {varRecord("Typed", "String", "\"\\u00e9a\\u00ff \""),
                                   varRecord("F", "Float", "\"inf\"") + ", " + varRecord("G", "Float", "\"-inf\"") +
                                       ", " + varRecord("H", "Float", "\"nan\"")}));

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

// The caption is found ignoring case; a click on no control, or after the close box, is dropped.
// (Choosing from a list through the script is the quiz example's.)
TEST(QeltoolRun, FormsOpenHeadlessAndTheScriptDrivesThem)
{
    FormObjects form = newForm("Quiz Time");
    form.push_back(formObject(form, object_type::kEdit, 0, 0, "txtName"));
    form.push_back(formObject(form, object_type::kButton, 0, 60, "buttOK"));
    form.back().onClick = "Answer";
    writeForm(::testing::TempDir() + "headless_quiz.frm", form); // beside the program
    const std::string path = writeProgram("headless_quiz.qel", [](ProgramBuilder& b) {
        b.add("DeclareVariable", variableFields("String", "Name", "\"\""))
            .add("OpenForm2", {"\"headless_quiz.frm\""})
            .add("DeclareFunction", functionFields("Answer"))
            .add("Form2Exchange", {"\"Quiz Time\"", "Name", "Get", "txtName", "", "txtValue", "No"})
            .add("Let", letFields("Ratio", "Ratio", "+", "1"))
            .add("EndFunction");
    });
    const RunOutput r = runTool({"run", path, "--events", "-", "--vars"}, "form \"quiz time\" type txtName Ann Lee\n"
                                                                          "form \"Quiz Time\" click buttOK\n"
                                                                          "form \"Quiz Time\" click nobody\n"
                                                                          "form \"Quiz Time\" close\n"
                                                                          "form \"Quiz Time\" click buttOK\n");
    ASSERT_EQ(r.status, 0) << r.err;
    ASSERT_EQ(r.lines.size(), 2u) << r.lines[0];
    EXPECT_TRUE(holds(r.lines[1], {varRecord("Name", "String", "\"Ann Lee\""), varRecord("Ratio", "Float", "1.5")}));
    EXPECT_EQ(runTool({"run", path, "--events", "-"}, "form Quiz frob x\n").status, 2);
}

TEST(QeltoolRun, TheUserFormTakesTheScriptsReplyOrItsStartingValues)
{
    const std::string path = writeProgram("user_form.qel", [](ProgramBuilder& b) {
        declareUserForm(b);
        b.add("OpenForm", kUserFormFields);
    });
    const std::pair<std::string, std::string> replies[] = {
        {"form \"User Form\" type 1 Bo\nform \"User Form\" select 2 blue\nform \"User Form\" click OK\n",
         "\"Bo\", \"Blue\""},
        {"", "\"Ann\", \"Red\""}, // no script: the starting values
    };
    for (const auto& [script, results] : replies) {
        std::vector<std::string> args = {"run", path, "--vars"};
        if (!script.empty())
            args.insert(args.end(), {"--events", "-"});
        const RunOutput r = runTool(args, script);
        ASSERT_EQ(r.status, 0) << r.err;
        // A two-dimensional array's values with the first subscript outer: (1,1), (1,2), (2,1), (2,2).
        EXPECT_TRUE(
            holds(r.lines.back(), {varRecord("Results", "String", results, "2"),
                                   varRecord("Defaults", "String", "\"Ann\", \"\", \"Red\", \"Blue\"", "2,2")}));
    }
}
