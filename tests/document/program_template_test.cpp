#include "document/program_template.h"
#include "program/instruction_table.h"
#include "program/system_names.h"
#include "support/recording_host.h"
#include "values/variable_table.h"

#include <gtest/gtest.h>

using namespace qel;

namespace {

struct ProgramTemplate : ::testing::Test {
    void SetUp() override { newProgramWithHandlers(program, variables, host); }

    // Each line of a section as its type and text.
    std::vector<std::string> linesOf(uint32_t section) const
    {
        std::vector<std::string> out;
        for (const auto& line : program.sections[section].lines)
            out.push_back(std::to_string(line.type) + " " + line.text);
        return out;
    }

    Program program;
    VariableTable variables;
    test::RecordingHost host;
};

} // namespace

TEST_F(ProgramTemplate, KeyboardAndMouseHoldSystemVariablesAndEmptyHandlers)
{
    EXPECT_TRUE(host.messages.empty());
    using Lines = std::vector<std::string>;
    EXPECT_EQ(linesOf(kKeyboard), (Lines{"3 Keyboard handler", "4 DeclareVariables Integer qelScanCode=0",
                                         "4 DeclareVariables String qelChar=\"\"", "46 DeclareFunction qelOnKeyDown",
                                         "47 EndFunction", "46 DeclareFunction qelOnChar", "47 EndFunction"}));
    EXPECT_EQ(
        linesOf(kMouse),
        (Lines{"3 Mouse handler", "4 DeclareVariables Integer qelMouseX=0", "4 DeclareVariables Integer qelMouseY=0",
               "4 DeclareVariables Integer qelMouseLButton=0", "4 DeclareVariables Integer qelMouseRButton=0",
               "46 DeclareFunction qelOnLeftButtonDown", "47 EndFunction", "46 DeclareFunction qelOnLeftButtonUp",
               "47 EndFunction", "46 DeclareFunction qelOnRightButtonDown", "47 EndFunction",
               "46 DeclareFunction qelOnRightButtonUp", "47 EndFunction", "46 DeclareFunction qelOnMove",
               "47 EndFunction"}));
    for (uint32_t s : {kInitialise, kPaint, kTimer})
        EXPECT_EQ(program.sections[s].lineCount(), 1u);
    // Declared as the lines say (the order of declarations is checked by the document's tests).
    EXPECT_EQ(variables.findVariable("QELCHAR")->type, kTypeString);
    EXPECT_EQ(variables.size(), 6u);
    EXPECT_EQ(program.edit.section, kInitialise);
}

TEST_F(ProgramTemplate, HandlerAndSystemVariableLinesAreRequired)
{
    const auto& mouse = program.sections[kMouse].lines;
    int required = 0;
    for (const auto& line : mouse)
        required += isRequiredLine(line);
    EXPECT_EQ(required, 9); // four variables and five handlers, not the EndFunction lines
    EXPECT_FALSE(isRequiredLine(mouse[0]));

    // Names are compared with case; a missing name is not required.
    ProgramLine renamed = program.sections[kKeyboard].lines[3];
    EXPECT_TRUE(isRequiredLine(renamed));
    std::vector<uint8_t> bytes(renamed.block.bytes().begin(), renamed.block.bytes().end());
    bytes[renamed.block.u32(4)] = 'Q'; // "QelOnKeyDown"
    renamed.block = ParamBlock::fromBytes(bytes);
    EXPECT_FALSE(isRequiredLine(renamed));
    EXPECT_FALSE(isRequiredLine(ProgramLine{kDeclareFunction, "DeclareFunction", ParamBlock()}));
}
