#include "document/program_document.h"
#include "document/program_template.h"
#include "fileio/file_io.h"
#include "support/file_bytes.h"
#include "support/program_builder.h"

#include <gtest/gtest.h>

using namespace qel;

namespace {

std::vector<std::string> variableNames(const VariableTable& table)
{
    std::vector<std::string> out;
    for (const VariableRecord& v : table)
        out.push_back(v.name);
    return out;
}

} // namespace

TEST(ProgramDocument, NewProgramWritesAndReadsBackTheSameProgramAndVariables)
{
    Program program;
    VariableTable variables;
    test::RecordingHost host;
    newProgramWithHandlers(program, variables, host);
    std::vector<uint8_t> bytes = storeProgram(program).value();

    Program reread;
    VariableTable rereadVariables;
    LoadResult r = openProgram(reread, rereadVariables, bytes, host);
    ASSERT_EQ(r.status, ReadStatus::Ok);
    EXPECT_EQ(storeProgram(reread).value(), bytes);
    EXPECT_EQ(variableNames(rereadVariables), variableNames(variables));
    EXPECT_TRUE(host.messages.empty());
}

TEST(ProgramDocument, VariablesAreDeclaredInSectionThenLineOrder)
{
    Program program;
    VariableTable variables;
    test::ProgramBuilder build(program, variables);
    build.section(kMouse).add("DeclareVariable", {"Integer", "Not an Array", "", "", "M", "1"});
    build.section(kInitialise).add("DeclareVariable", {"String", "1D Array", "5", "", "Names", "", "Others"});
    build.section(kPaint).add("DeclareVariable", {"Floating Point", "2D Array", "3", "4", "Grid", ""});
    auto bytes = storeProgram(program).value();

    Program reread;
    VariableTable table;
    openProgram(reread, table, bytes, build.host);
    EXPECT_EQ(variableNames(table), (std::vector<std::string>{"Names", "Others", "Grid", "M"}));
    EXPECT_EQ(table.findVariable("grid")->dim2, 4);
    EXPECT_EQ(table.findVariable("names")->dim1, 5);
}

TEST(ProgramDocument, AFailedOpenLeavesAnEmptyProgramWithoutVariables)
{
    Program program;
    VariableTable variables;
    test::RecordingHost host;
    newProgramWithHandlers(program, variables, host);
    auto bytes = storeProgram(program).value();
    bytes.resize(bytes.size() - 3);
    EXPECT_EQ(openProgram(program, variables, bytes, host).status, ReadStatus::Truncated);
    EXPECT_TRUE(variables.empty());
    EXPECT_EQ(program.totalLines(), 5u);
}

TEST(ProgramDocument, HandlerLinesMissingFromAFileAreNotAddedBack)
{
    test::FileBytes f;
    f.text("QEL 1.25");
    for (uint32_t s = 0; s < 5; ++s)
        f.commentSection(s, "only a comment");
    Program program;
    VariableTable variables;
    test::RecordingHost host;
    ASSERT_EQ(openProgram(program, variables, f.bytes, host).status, ReadStatus::Ok);
    EXPECT_EQ(program.sections[kKeyboard].lineCount(), 1u);
    EXPECT_TRUE(variables.empty());
}

TEST(ProgramDocument, OldTextFileOpenLinesAreRebuiltWhenOpened)
{
    test::FileBytes f;
    f.text("QEL 1.12").u32(0).line(3, "Init").line(40, "TextFileOpen ForWrite Out, \"out.txt\"", {0xFF, 0xFF});
    f.line(40, "TextFileOpen ForRead 7, \"x\"").u32(99);
    for (uint32_t s = 1; s < 5; ++s)
        f.commentSection(s, "x");
    Program program;
    VariableTable variables;
    test::RecordingHost host;
    ASSERT_EQ(openProgram(program, variables, f.bytes, host).status, ReadStatus::Ok);
    ASSERT_EQ(program.sections[0].lineCount(), 2u); // the second line fails its check and is dropped
    EXPECT_EQ(program.sections[0].lines[1].text, "TextFileOpen ForWrite Out, \"out.txt\"");
    EXPECT_EQ(program.sections[0].lines[1].block.u32(text_file_open::kForReading), 0u);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, "Variable required.");
}

TEST(ProgramDocument, SaveReplacesTheFile)
{
    Program program;
    std::string path = ::testing::TempDir() + "document_save.qel";
    ASSERT_TRUE(saveProgram(program, path));
    std::vector<uint8_t> back;
    ASSERT_TRUE(readWholeFile(path, back));
    EXPECT_EQ(back, storeProgram(program).value());
}
