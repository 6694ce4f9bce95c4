// qeltool's file commands: new, dump, resave and form-dump, and what they do with damaged files.

#include "app_support.h"
#include "support/file_bytes.h"
#include "support/form_files.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace qel;
using namespace qel::test;

namespace {

// What a command printed, as one text.
struct ToolRun {
    int status;
    std::string out, err;
};

ToolRun tool(std::vector<std::string> args)
{
    std::istringstream in;
    std::ostringstream out, err;
    const int status = runToolCommand(args, in, out, err);
    return {status, out.str(), err.str()};
}

std::string temp(const std::string& name) { return ::testing::TempDir() + name; }

} // namespace

// A new program dumps its handler lines and variables and resaves byte for byte; a dump shows
// block bytes as stored and escapes 8-bit text.
TEST(Qeltool, NewDumpAndResaveAndUnreadableFilesOrBadUsageExitWithTwo)
{
    const std::string path = temp("new.qel"), copy = temp("copy.qel"), bytes = temp("bytes.qel");
    ToolRun created = tool({"new", path});
    ASSERT_EQ(created.status, 0) << created.err;
    EXPECT_EQ(created.out, "{\"messages\": []}\n");
    FileBytes f;
    f.text("QEL 1.24").u32(0).line(3, "caf\xe9 \"q\"").line(28, "Return", {0, 0, 0, 0, 0xAB}).u32(99);
    for (uint32_t s = 1; s < 5; ++s)
        f.commentSection(s, "x");
    ASSERT_TRUE(writeFileAtomically(bytes, f.bytes));
    const std::pair<std::string, std::vector<std::string>> dumps[] = {
        {path,
         {"\"version\": \"QEL 1.25\"", "\"autorun\": false",
          "{\"type\": 3, \"text\": \"Mouse handler\", \"block\": \"\"}",
          "{\"type\": 4, \"text\": \"DeclareVariables String qelChar=\\\"\\\"\"",
          "{\"type\": 47, \"text\": \"EndFunction\", \"block\": \"\"}",
          "{\"name\": \"qelMouseRButton\", \"type\": \"Integer\", \"arrayKind\": 1, \"dim1\": 1, \"dim2\": 1}",
          "\"messages\": []"}},
        {bytes, {"\"text\": \"caf\\u00e9 \\\"q\\\"\"", "\"block\": \"00000000ab\"", "\"minor\": 24"}},
    };
    for (const auto& [file, pieces] : dumps) {
        ToolRun dumped = tool({"dump", file});
        ASSERT_EQ(dumped.status, 0) << file;
        EXPECT_TRUE(holds(dumped.out, pieces)) << file;
    }
    ToolRun resaved = tool({"resave", path, copy});
    ASSERT_EQ(resaved.status, 0) << resaved.err;
    EXPECT_EQ(readBytes(copy), readBytes(path));

    // Unreadable files and bad usage exit with 2.
    EXPECT_EQ(tool({"dump", temp("missing.qel")}).status, 2);
    EXPECT_EQ(tool({}).status, 2);
    EXPECT_TRUE(holds(tool({"frobnicate"}).err, {"usage: qeltool"}));

    const std::string bad = temp("bad.qel"), out = temp("never-written.qel");
    ASSERT_TRUE(writeFileAtomically(bad, FileBytes().text("QEL 9.99").bytes));
    ToolRun dumped = tool({"dump", bad});
    EXPECT_EQ(dumped.status, 2);
    EXPECT_TRUE(holds(dumped.out, {"{\"icon\": \"error\", \"text\": \"Corrupt, Obsolete or Non-QEL file.\"}"}));
    EXPECT_EQ(tool({"resave", bad, out}).status, 2);
    EXPECT_FALSE(std::filesystem::exists(out));
}

TEST(Qeltool, FormDumpPrintsEveryObjectAndTheReadersMessages)
{
    FormObjects form = newForm("Quiz");
    form.push_back(formObject(form, object_type::kButton, 10, 20, "buttGo"));
    form.back().tabOrder = -1;
    const std::string path = temp("dump.frm"), text = formFileText(form);
    const std::string whole = "\"complete\": true,\n  \"messages\": []";
    writeForm(path, form);
    ToolRun dumped = tool({"form-dump", path});
    ASSERT_EQ(dumped.status, 0) << dumped.err;
    EXPECT_TRUE(holds(dumped.out, {"{\"objecttype\": 2, \"width\": 400, \"height\": 300, ", "\"name\": \"buttGo\"",
                                   "\"taborder\": -1, \"v1style\": \"\"", whole}));

    // A file without its end line is whole; one cut inside an object shows what was read and why
    // it stopped.
    writeBytes(path, text.substr(0, text.find("</orxform>")));
    dumped = tool({"form-dump", path});
    EXPECT_EQ(dumped.status, 0);
    EXPECT_TRUE(holds(dumped.out, {whole}));
    writeBytes(path, text.substr(0, text.find("<name>buttGo")));
    dumped = tool({"form-dump", path});
    EXPECT_EQ(dumped.status, 2);
    EXPECT_TRUE(holds(dumped.out,
                      {"\"caption\": \"Quiz\"", "{\"icon\": \"error\", \"text\": \"Corrupt or non ORX Form file\"}"}));
    EXPECT_EQ(tool({"form-dump", temp("missing.frm")}).status, 2);

    // A long text goes out a piece at a time, every byte escaped as in a short one.
    form[0].caption = std::string(5000, '\xff') + "\"";
    writeForm(path, form);
    std::string escaped;
    for (int k = 0; k < 5000; ++k)
        escaped += "\\u00ff";
    EXPECT_TRUE(holds(tool({"form-dump", path}).out, {"\"caption\": \"" + escaped + "\\\"\", "}));
}

// check: one JSON line a finding and exit 1, nothing and exit 0 for a clean program; 2 for bad usage,
// an unreadable program or a profile with problems; --profile adds the lines outside the lesson.
TEST(Qeltool, CheckPrintsOneJsonLineAFindingAndExitsByWhatItFound)
{
    const std::string dir = makeTempFolder();
    const std::string clean = dir + "/clean.qel", faulty = dir + "/faulty.qel", lesson = dir + "/lesson.txt";
    ASSERT_EQ(tool({"new", clean}).status, 0);
    saveProgram(faulty, [](Session& s) {
        s.build.add("DeclareVariable", variableFields("Integer", "A", "0"))
            .add("MessageBox", {"\"Hello\"", "1", "", "", "", "", "1", "", "", "", ""})
            .add("Call", callFields("Missing"));
    });
    writeBytes(lesson, std::string("DeclareVariable\nCall  # no MessageBox yet\n"));
    writeBytes(dir + "/bad.txt", std::string("Let\nDrawLines\n"));

    const std::pair<std::vector<std::string>, ToolRun> runs[] = {
        {{"check", clean}, {0, "", ""}},
        {{"check", faulty},
         {1, "{\"section\": \"Initialise\", \"line\": 3, \"message\": \"Unable to find function - Missing\"}\n", ""}},
        {{"check", faulty, "--profile", lesson},
         {1,
          "{\"section\": \"Initialise\", \"line\": 2, \"message\": \"Instruction outside the lesson profile - "
          "MessageBox\"}\n"
          "{\"section\": \"Initialise\", \"line\": 3, \"message\": \"Unable to find function - Missing\"}\n",
          ""}},
        {{"check", clean, "--profile", dir + "/bad.txt"},
         {2, "", "qeltool: " + dir + "/bad.txt:2: Unknown instruction keyword - DrawLines\n"}},
        {{"check", dir + "/missing.qel"}, {2, "", "qeltool: cannot read " + dir + "/missing.qel\n"}},
        {{"check", lesson}, {2, "", ""}}, // no program: the reader's messages follow
        {{"check"}, {2, "", "usage: qeltool check FILE.qel [--profile LESSON.txt]\n"}},
        {{"check", clean, "--profile"}, {2, "", "usage: qeltool check FILE.qel [--profile LESSON.txt]\n"}},
    };
    for (const auto& [args, expected] : runs) {
        const ToolRun got = tool(args);
        SCOPED_TRACE(args.back());
        EXPECT_EQ(got.status, expected.status);
        EXPECT_EQ(got.out, expected.out);
        if (!expected.err.empty() || expected.status == 0) {
            EXPECT_EQ(got.err, expected.err);
        }
    }
}

// export prints the text that import builds back into the same file; a line that cannot be built
// exits with 1 and its number, an unreadable or non-program file and bad usage with 2, and neither
// writes anything.
TEST(Qeltool, ExportAndImportGoBackAndForthAndSayWhyTheyCannot)
{
    const std::string program = temp("text.qel"), text = temp("text.txt"), back = temp("back.qel");
    ASSERT_EQ(tool({"new", program}).status, 0);
    ToolRun exported = tool({"export", program});
    ASSERT_EQ(exported.status, 0) << exported.err;
    EXPECT_TRUE(holds(exported.out, {"QEL 1.25 autorun=no\nInitialise\n", "\nMouse\n", "    EndFunction\n"}));
    writeBytes(text, exported.out);
    ToolRun imported = tool({"import", text, back});
    ASSERT_EQ(imported.status, 0) << imported.err;
    EXPECT_EQ(readBytes(back), readBytes(program));

    const std::string bad = temp("bad.txt"), notProgram = temp("not.qel"), never = temp("never.qel");
    writeBytes(bad, std::string("QEL 1.25 autorun=no\nInitialise\n    Let ⟦Let‖‖‖1⟧\n"));
    writeBytes(notProgram, std::string("QEL 9.99\n"));
    const struct {
        std::vector<std::string> args;
        int status;
        std::string err;
    } rows[] = {
        {{"import", bad, never}, 1, bad + ": line 3: Variable required.\n"},
        {{"import", temp("missing.txt"), never}, 2, "qeltool: cannot read " + temp("missing.txt") + "\n"},
        {{"export", notProgram}, 2, "Corrupt, Obsolete or Non-QEL file."},
        {{"export"}, 2, "qeltool import FILE.txt OUT.qel"},
        {{"import", text}, 2, "qeltool export FILE.qel"},
    };
    for (const auto& row : rows) {
        ToolRun r = tool(row.args);
        EXPECT_EQ(r.status, row.status) << row.args[0];
        EXPECT_TRUE(holds(r.err, {row.err})) << r.err;
    }
    EXPECT_FALSE(std::filesystem::exists(never));
}
