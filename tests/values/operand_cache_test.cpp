#include "messages/run_errors.h"
#include "program/block_writer.h"
#include "program/instruction_table.h"
#include "support/recording_host.h"
#include "values/classify_field.h"
#include "values/operand_cache.h"

#include <gtest/gtest.h>

namespace qel {
namespace {

// A line whose operand slots (at the type's offsets) hold the given fields.
ProgramLine lineWithOperands(uint32_t type, std::vector<std::string> fields)
{
    std::vector<uint32_t> offsets;
    EXPECT_TRUE(operandSlotOffsets(type, offsets));
    BlockWriter writer(offsets.back() + 44 - 4);
    for (size_t j = 0; j < fields.size(); ++j)
        writeOperand(writer, offsets[j], classifyField(fields[j]));
    return ProgramLine{type, "line", writer.finish()};
}

TEST(OperandCacheTable, ResetDecodesEverySlotClearsCachesAndStopsAtALineTypeWithoutInstruction)
{
    Program program;
    program.sections[kInitialise].lines.push_back(lineWithOperands(kLet, {"N", "N", "I"}));
    program.sections[kPaint].lines.push_back(lineWithOperands(kDrawLine, {"X", "2", "3", "4"}));
    program.sections[kMouse].lines.push_back(lineWithOperands(kCallUsing, {"\"Show\"", "", "", "", "", "Which"}));
    program.sections[kMouse].lines.push_back(ProgramLine{kEndIf, "EndIf", ParamBlock()});

    OperandCacheTable table;
    ASSERT_EQ(table.reset(program), std::nullopt);
    EXPECT_EQ(table.lineCount(kInitialise), 2u);
    EXPECT_TRUE(table.lineOperands(kInitialise, 0).empty()); // the title comment
    std::vector<std::string> let;
    for (const CachedOperand& slot : table.lineOperands(kInitialise, 1))
        let.push_back(formatReference(slot.operand, kGeneralPrecision));
    EXPECT_EQ(let, (std::vector<std::string>{"N", "N", "I", "0"}));
    EXPECT_EQ(table.lineOperands(kPaint, 1).size(), 4u);
    EXPECT_EQ(table.at(kPaint, 1, 1).operand.number, 2.0f);
    EXPECT_EQ(table.at(kMouse, 1, 5).operand.name, "Which");
    EXPECT_TRUE(table.lineOperands(kMouse, 2).empty());

    // A run fills caches; the next run starts without them.
    test::RecordingHost host;
    VariableTable variables;
    variables.createVariable({"N", kTypeInteger, kNotArray, 1, 1, 0, 0.0f, {}}, host);
    EvalContext ctx{variables};
    ASSERT_TRUE(evalNumber(ctx, table.at(kInitialise, 1, 0)).ok());
    EXPECT_NE(table.at(kInitialise, 1, 0).cache.variable, nullptr);
    ASSERT_EQ(table.reset(program), std::nullopt);
    EXPECT_EQ(table.at(kInitialise, 1, 0).cache.variable, nullptr);

    // A line type without an instruction stops the reset.
    const std::string expected = "Internal Error - Please report\n\nFailed to reset direct access pointer(VarClearDa)";
    for (uint32_t bad : {5u, 51u, 81u}) {
        Program damaged;
        damaged.sections[kTimer].lines.push_back(ProgramLine{bad, "?", ParamBlock()});
        OperandCacheTable fresh;
        EXPECT_EQ(fresh.reset(damaged), expected) << bad;
        EXPECT_EQ(fresh.lineCount(kInitialise), 0u);
    }
}

} // namespace
} // namespace qel
