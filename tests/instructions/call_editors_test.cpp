#include "instructions/control/comment_editor.h"
#include "instructions/functions/call_editors.h"
#include "program/instruction_table.h"
#include "values/editor_fields.h"
#include "values/variable_table.h"

#include <gtest/gtest.h>

using namespace qel;

namespace {

struct CallEditorsTest : ::testing::Test {
    Program program;
    VariableTable variables;
    EditContext context{program, variables, nullptr};
    CallEditor call;
    CallUsingEditor callUsing;
    ReturnEditor returnEditor;

    // Accepts the fields, then the fields decoded from the result: both must build the same line.
    EditedLine roundTrip(const InstructionEditor& editor, std::vector<std::string> fields)
    {
        EditOutcome first = editor.accept(fields, context);
        EXPECT_TRUE(first.ok()) << (first.error ? first.error->message : "");
        ProgramLine stored{first.line.type, first.line.text, first.line.block};
        EditOutcome again = editor.accept(editor.decode(stored), context);
        EXPECT_TRUE(again.ok());
        EXPECT_EQ(again.line.text, first.line.text);
        EXPECT_EQ(again.line.block, first.line.block) << first.line.text;
        return first.line;
    }

    void expectRefused(const InstructionEditor& editor, std::vector<std::string> fields, int field,
                       std::string_view message)
    {
        EditOutcome r = editor.accept(fields, context);
        ASSERT_FALSE(r.ok()) << fields[field];
        EXPECT_EQ(r.error->field, field);
        EXPECT_EQ(r.error->message, message);
    }
};

} // namespace

TEST_F(CallEditorsTest, CallBuildsTextMaskAndBlock)
{
    EditedLine area = roundTrip(call, {"Area", "Result", "W", "5", ""});
    EXPECT_EQ(area.type, kCall);
    EXPECT_EQ(area.text, "Call Area (W, 5) Into Result");
    EXPECT_EQ(area.block.u32(call_block::kMask), 3u);
    EXPECT_EQ(area.block.textField(call_block::kName), "Area");
    EXPECT_EQ(area.block.textField(call_block::kReturnInto), "Result");
    EXPECT_EQ(area.block.f32(call_block::kArgument[1] + 8), 5.0f);
    EXPECT_EQ(area.block.u32(call_block::kMask + 4), 0u); // the run-time cache words stay clear
    EXPECT_EQ(area.block.u32(call_block::kMask + 8), 0u);

    EXPECT_EQ(roundTrip(call, {"Redraw", "", "", "", ""}).text, "Call Redraw");
    EditedLine gap = roundTrip(call, {"Show", "", "\"a, b\"", "", "Grid(I, 2)"});
    EXPECT_EQ(gap.text, "Call Show (\"a, b\", , Grid(I,2))");
    EXPECT_EQ(gap.block.u32(call_block::kMask), 5u);
}

TEST_F(CallEditorsTest, CallUsingAddsPrefixControlAndMissingTarget)
{
    EditedLine line = roundTrip(callUsing, {"Show", "Choice", "", "R", "X", "", ""});
    EXPECT_EQ(line.type, kCallUsing);
    EXPECT_EQ(line.text, "CallUsing Show + Choice (X) Into R");
    EXPECT_EQ(line.block.u32(call_block::kMask), 1u);
    EXPECT_EQ(line.block.textField(call_block::kControlVariable), "Choice");

    EditedLine missing = roundTrip(callUsing, {"Show", "Pick(2)", "1", "", "", "", ""});
    EXPECT_EQ(missing.text, "CallUsing Show + Pick(2) Allowing Missing Target");
    EXPECT_EQ(missing.block.u32(call_block::kMask), call_block::kAllowMissingTarget);
}

TEST_F(CallEditorsTest, RefusalsNameTheFieldAndItsMessage)
{
    expectRefused(call, {"2Area", "", "", "", ""}, 0, "Function name required.");
    expectRefused(call, {"Area", "5", "", "", ""}, 1, "Variable or Nothing required.");
    expectRefused(call, {"Area", "", "", "", "A(I,2"}, 4, "Invalid expression.");
    expectRefused(callUsing, {"Show", "\"x\"", "", "", "", "", ""}, 1, "Numeric or String variable required.");
    expectRefused(callUsing, {"Show", "C", "", "\"r\"", "", "", ""}, 3, "Variable or Nothing required.");
    expectRefused(callUsing, {"Show", "C", "", "", "", "1 2", ""}, 5, "Invalid expression.");
    expectRefused(returnEditor, {"A(,)"}, 0, "InvalidExpression.");

    // Three of the longest string literals and long names outgrow a line's block.
    const std::string literal = "\"" + std::string(253, 'x') + "\"";
    const std::string name(20, 'N');
    expectRefused(call, {name, name + "(" + name + "," + name + ")", literal, literal, literal + " "}, 4, kLineTooLong);
}

TEST_F(CallEditorsTest, ReturnWithAndWithoutValue)
{
    EditedLine bare = roundTrip(returnEditor, {""});
    EXPECT_EQ(bare.text, "Return");
    EXPECT_EQ(bare.block.u32(return_block::kValueGiven), 0u);

    EditedLine total = roundTrip(returnEditor, {" Total "});
    EXPECT_EQ(total.text, "Return (Total)");
    EXPECT_EQ(total.block.u32(return_block::kValueGiven), 1u);

    EditedLine zero = roundTrip(returnEditor, {"0"}); // a given 0 is a value, not a bare Return
    EXPECT_EQ(zero.text, "Return (0)");
    EXPECT_EQ(zero.block.u32(return_block::kValueGiven), 1u);
}

TEST_F(CallEditorsTest, CommentKeepsItsTextUpToTheLineLimit)
{
    CommentEditor comment;
    EditedLine line = roundTrip(comment, {"  draw the border  "});
    EXPECT_EQ(line.type, kComment);
    EXPECT_EQ(line.text, "  draw the border  ");
    EXPECT_TRUE(line.block.isEmpty());
    EXPECT_EQ(roundTrip(comment, {std::string(1100, 'c')}).text.size(), 1024u);
}
