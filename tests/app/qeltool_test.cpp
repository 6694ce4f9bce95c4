#include "app/tool_commands.h"
#include "fileio/file_io.h"
#include "program/program_file.h"
#include "support/file_bytes.h"
#include "support/form_files.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace qel;

namespace {

struct ToolRun {
    int status;
    std::string out, err;
};

ToolRun tool(std::vector<std::string> args)
{
    std::istringstream in;
    std::ostringstream out, err;
    int status = runToolCommand(args, in, out, err);
    return {status, out.str(), err.str()};
}

std::string temp(const std::string& name) { return ::testing::TempDir() + name; }

void writeBytes(const std::string& path, const std::vector<uint8_t>& bytes)
{
    ASSERT_TRUE(writeFileAtomically(path, bytes));
}

bool contains(const std::string& text, const std::string& piece) { return text.find(piece) != std::string::npos; }

} // namespace

TEST(Qeltool, NewThenDumpShowsTheHandlerLinesAndVariables)
{
    std::string path = temp("new.qel");
    ToolRun created = tool({"new", path});
    ASSERT_EQ(created.status, 0) << created.err;
    EXPECT_EQ(created.out, "{\"messages\": []}\n");

    ToolRun dumped = tool({"dump", path});
    ASSERT_EQ(dumped.status, 0);
    EXPECT_TRUE(contains(dumped.out, "\"version\": \"QEL 1.25\""));
    EXPECT_TRUE(contains(dumped.out, "\"autorun\": false"));
    EXPECT_TRUE(contains(dumped.out, "{\"type\": 3, \"text\": \"Mouse handler\", \"block\": \"\"}"));
    EXPECT_TRUE(contains(dumped.out, "{\"type\": 4, \"text\": \"DeclareVariables String qelChar=\\\"\\\"\""));
    EXPECT_TRUE(contains(dumped.out, "{\"type\": 47, \"text\": \"EndFunction\", \"block\": \"\"}"));
    EXPECT_TRUE(
        contains(dumped.out,
                 "{\"name\": \"qelMouseRButton\", \"type\": \"Integer\", \"arrayKind\": 1, \"dim1\": 1, \"dim2\": 1}"));
    EXPECT_TRUE(contains(dumped.out, "\"messages\": []"));
}

TEST(Qeltool, DumpShowsBlockBytesAsStoredAndEscapesEightBitText)
{
    test::FileBytes f;
    f.text("QEL 1.24").u32(0).line(3, "caf\xe9 \"q\"").line(28, "Return", {0, 0, 0, 0, 0xAB}).u32(99);
    for (uint32_t s = 1; s < 5; ++s)
        f.commentSection(s, "x");
    std::string path = temp("bytes.qel");
    writeBytes(path, f.bytes);
    ToolRun dumped = tool({"dump", path});
    ASSERT_EQ(dumped.status, 0);
    EXPECT_TRUE(contains(dumped.out, "\"text\": \"caf\\u00e9 \\\"q\\\"\""));
    EXPECT_TRUE(contains(dumped.out, "\"block\": \"00000000ab\""));
    EXPECT_TRUE(contains(dumped.out, "\"minor\": 24"));
}

TEST(Qeltool, ResaveReproducesAFileByteForByte)
{
    std::string in = temp("in.qel"), out = temp("out.qel");
    ASSERT_EQ(tool({"new", in}).status, 0);
    ToolRun resaved = tool({"resave", in, out});
    ASSERT_EQ(resaved.status, 0) << resaved.err;
    std::vector<uint8_t> a, b;
    ASSERT_TRUE(readWholeFile(in, a));
    ASSERT_TRUE(readWholeFile(out, b));
    EXPECT_EQ(a, b);
}

TEST(Qeltool, UnreadableFilesAndBadUsageExitWithTwo)
{
    EXPECT_EQ(tool({"dump", temp("missing.qel")}).status, 2);
    EXPECT_EQ(tool({}).status, 2);
    EXPECT_TRUE(contains(tool({"frobnicate"}).err, "usage: qeltool"));

    std::string bad = temp("bad.qel");
    writeBytes(bad, test::FileBytes().text("QEL 9.99").bytes);
    ToolRun dumped = tool({"dump", bad});
    EXPECT_EQ(dumped.status, 2);
    EXPECT_TRUE(contains(dumped.out, "{\"icon\": \"error\", \"text\": \"Corrupt, Obsolete or Non-QEL file.\"}"));

    std::string out = temp("never-written.qel");
    EXPECT_EQ(tool({"resave", bad, out}).status, 2);
    std::vector<uint8_t> none;
    EXPECT_FALSE(readWholeFile(out, none));
}

TEST(Qeltool, FormDumpPrintsEveryObjectAndTheReadersMessages)
{
    FormObjects form = test::newForm("Quiz");
    form.push_back(test::formObject(form, object_type::kButton, 10, 20, "buttGo"));
    form.back().tabOrder = -1;
    const std::string path = temp("dump.frm");
    test::writeForm(path, form);
    ToolRun dumped = tool({"form-dump", path});
    ASSERT_EQ(dumped.status, 0) << dumped.err;
    EXPECT_TRUE(contains(dumped.out, "{\"objecttype\": 2, \"width\": 400, \"height\": 300, "));
    EXPECT_TRUE(contains(dumped.out, "\"name\": \"buttGo\""));
    EXPECT_TRUE(contains(dumped.out, "\"taborder\": -1, \"v1style\": \"\""));
    EXPECT_TRUE(contains(dumped.out, "\"complete\": true,\n  \"messages\": []"));

    // A file without its end line is whole; one cut inside an object shows what was read and why
    // it stopped.
    std::string text = formFileText(form);
    test::writeBytes(path, text.substr(0, text.find("</orxform>")));
    dumped = tool({"form-dump", path});
    EXPECT_EQ(dumped.status, 0);
    EXPECT_TRUE(contains(dumped.out, "\"complete\": true,\n  \"messages\": []"));
    test::writeBytes(path, text.substr(0, text.find("<name>buttGo")));
    dumped = tool({"form-dump", path});
    EXPECT_EQ(dumped.status, 2);
    EXPECT_TRUE(contains(dumped.out, "\"caption\": \"Quiz\""));
    EXPECT_TRUE(contains(dumped.out, "{\"icon\": \"error\", \"text\": \"Corrupt or non ORX Form file\"}"));
    EXPECT_EQ(tool({"form-dump", temp("missing.frm")}).status, 2);

    // A long text goes out a piece at a time, every byte escaped as in a short one.
    form[0].caption = std::string(5000, '\xff') + "\"";
    test::writeForm(path, form);
    dumped = tool({"form-dump", path});
    std::string escaped;
    for (int k = 0; k < 5000; ++k)
        escaped += "\\u00ff";
    EXPECT_TRUE(contains(dumped.out, "\"caption\": \"" + escaped + "\\\"\", ")) << dumped.out.substr(0, 200);
}
