#include "document/program_document.h"
#include "document/program_template.h"
#include "support/file_bytes.h"
#include "support/program_builder.h"

#include <gtest/gtest.h>

using namespace qel;

namespace {

struct ProgramDocument : ::testing::Test {
    std::vector<std::string> variableNames() const
    {
        std::vector<std::string> out;
        for (const VariableRecord& v : variables)
            out.push_back(v.name);
        return out;
    }
    // Opens a file holding `lines` (see FileBytes) with every section after the first a comment.
    LoadResult open(test::FileBytes& lines)
    {
        for (uint32_t s = 1; s < 5; ++s)
            lines.commentSection(s, "only a comment");
        return openProgram(program, variables, lines.bytes, host);
    }

    Program program;
    VariableTable variables;
    test::RecordingHost host;
};

} // namespace

TEST_F(ProgramDocument, VariablesAreDeclaredInSectionThenLineOrder)
{
    test::ProgramBuilder build(program, variables);
    build.section(kMouse).add("DeclareVariable", {"Integer", "Not an Array", "", "", "M", "1"});
    build.section(kInitialise).add("DeclareVariable", {"String", "1D Array", "5", "", "Names", "", "Others"});
    build.section(kPaint).add("DeclareVariable", {"Floating Point", "2D Array", "3", "4", "Grid", ""});
    const std::vector<uint8_t> bytes = storeProgram(program).value();
    variables.clearAllVariables();
    openProgram(program, variables, bytes, host);
    EXPECT_EQ(variableNames(), (std::vector<std::string>{"Names", "Others", "Grid", "M"}));
    EXPECT_EQ(variables.findVariable("grid")->dim2, 4);
    EXPECT_EQ(variables.findVariable("names")->dim1, 5);
}

TEST_F(ProgramDocument, AFailedOpenLeavesAnEmptyProgramWithoutVariables)
{
    newProgramWithHandlers(program, variables, host);
    auto bytes = storeProgram(program).value();
    bytes.resize(bytes.size() - 3);
    EXPECT_EQ(openProgram(program, variables, bytes, host).status, ReadStatus::Truncated);
    EXPECT_TRUE(variables.empty());
    EXPECT_EQ(program.totalLines(), 5u);
}

TEST_F(ProgramDocument, HandlerLinesMissingFromAFileAreNotAddedBack)
{
    test::FileBytes f;
    f.text("QEL 1.25").commentSection(0, "only a comment");
    ASSERT_EQ(open(f).status, ReadStatus::Ok);
    EXPECT_EQ(program.sections[kKeyboard].lineCount(), 1u);
    EXPECT_TRUE(variables.empty());
}

TEST_F(ProgramDocument, OldTextFileOpenLinesAreRebuiltWhenOpened)
{
    test::FileBytes f;
    f.text("QEL 1.12").u32(0).line(3, "Init").line(40, "TextFileOpen ForWrite Out, \"out.txt\"", {0xFF, 0xFF});
    f.line(40, "TextFileOpen ForRead 7, \"x\"").u32(99);
    ASSERT_EQ(open(f).status, ReadStatus::Ok);
    ASSERT_EQ(program.sections[0].lineCount(), 2u); // the second line fails its check and is dropped
    EXPECT_EQ(program.sections[0].lines[1].text, "TextFileOpen ForWrite Out, \"out.txt\"");
    EXPECT_EQ(program.sections[0].lines[1].block.u32(text_file_open::kForReading), 0u);
    EXPECT_EQ(host.texts(), std::vector<std::string>{"Variable required."});
}
