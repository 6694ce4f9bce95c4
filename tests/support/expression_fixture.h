#pragma once
// Lines built through their editors and run the way the run loop runs them: the block's operand
// slots decoded once, with fresh caches, against a table of variables.

#include "messages/run_errors.h"
#include "program/program.h"
#include "support/recording_host.h"
#include "support/results.h"
#include "values/editor.h"
#include "values/evaluate.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

namespace qel::test {

using Fields = std::vector<std::string>;

struct BuiltLine {
    EditedLine line;
    std::vector<CachedOperand> slots; // views into line.block
};

class ExpressionTest : public ::testing::Test {
protected:
    VariableRecord& declare(std::string_view name, uint32_t type, uint32_t kind = kNotArray, int32_t dim1 = 1,
                            int32_t dim2 = 1)
    {
        return *table.createVariable({name, type, kind, dim1, dim2, 0, 0.0f, {}}, host);
    }

    EditOutcome accept(const InstructionEditor& editor, const Fields& values)
    {
        EditContext context{program, table, nullptr};
        return editor.accept(values, context);
    }

    // A line the editor must accept, with its operands decoded in slot order.
    BuiltLine& build(const InstructionEditor& editor, const Fields& values)
    {
        EditOutcome outcome = accept(editor, values);
        EXPECT_TRUE(outcome.ok()) << noticeText(outcome.error->message);
        lines_.push_back({std::move(outcome.line), {}});
        BuiltLine& built = lines_.back();
        std::vector<uint32_t> offsets;
        EXPECT_TRUE(operandSlotOffsets(built.line.type, offsets));
        for (uint32_t offset : offsets)
            built.slots.push_back({readOperand(built.line.block, offset), {}});
        return built;
    }

    void expectRefused(const InstructionEditor& editor, const Fields& values, int field, std::string_view message)
    {
        EditOutcome outcome = accept(editor, values);
        ASSERT_FALSE(outcome.ok()) << outcome.line.text;
        EXPECT_EQ(outcome.error->field, field) << message;
        EXPECT_EQ(noticeText(outcome.error->message), message);
    }

    // Decoding a line and accepting the decoded fields gives the same text and bytes.
    void expectRoundTrip(const InstructionEditor& editor, const Fields& values)
    {
        EditOutcome first = accept(editor, values);
        ASSERT_TRUE(first.ok()) << noticeText(first.error->message);
        ProgramLine stored{first.line.type, first.line.text, first.line.block};
        EditOutcome again = accept(editor, editor.decode(stored));
        ASSERT_TRUE(again.ok()) << noticeText(again.error->message);
        EXPECT_EQ(again.line.text, first.line.text);
        EXPECT_EQ(again.line.block, first.line.block) << first.line.text;
    }

    static std::string runError(std::string_view message, std::string_view detail = {})
    {
        return std::string(msg::kRunTimeError) + std::string(message) + std::string(detail);
    }

    RecordingHost host;
    Program program;
    VariableTable table;
    EvalContext ctx{table};

private:
    std::deque<BuiltLine> lines_;
};

} // namespace qel::test
