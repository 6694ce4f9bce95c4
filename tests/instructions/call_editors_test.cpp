#include "instruction_checks.h"
#include "instructions/functions/call_editors.h"
#include "values/editor_fields.h"

using namespace qel;

namespace {

struct CallEditorsTest : ::testing::Test {
    Program program;
    VariableTable variables;
    EditContext context{program, variables, nullptr};
    CallEditor call;
    CallUsingEditor callUsing;
    ReturnEditor returnEditor;

    // The line built of the fields; decoded, they build the same line again.
    EditedLine roundTrip(const InstructionEditor& editor, std::vector<std::string> fields)
    {
        return test::roundTrip(editor, fields, context).line;
    }
};

} // namespace

TEST_F(CallEditorsTest, CallBuildsTextMaskAndBlock)
{
    EditedLine area = roundTrip(call, {"Area", "Result", "W", "5", ""});
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
    EXPECT_EQ(line.text, "CallUsing Show + Choice (X) Into R");
    EXPECT_EQ(line.block.u32(call_block::kMask), 1u);
    EXPECT_EQ(line.block.textField(call_block::kControlVariable), "Choice");

    EditedLine missing = roundTrip(callUsing, {"Show", "Pick(2)", "1", "", "", "", ""});
    EXPECT_EQ(missing.text, "CallUsing Show + Pick(2) Allowing Missing Target");
    EXPECT_EQ(missing.block.u32(call_block::kMask), call_block::kAllowMissingTarget);
}

TEST_F(CallEditorsTest, RefusalsNameTheFieldAndItsMessage)
{
    // Three of the longest string literals and long names outgrow a line's block.
    const std::string literal = "\"" + std::string(253, 'x') + "\"";
    const std::string name(20, 'N');
    test::expectEditorRows(
        context, {{kCall, {"2Area", "", "", "", ""}, 0, "Function name required."},
                  {kCall, {"Area", "5", "", "", ""}, 1, "Variable or Nothing required."},
                  {kCall, {"Area", "", "", "", "A(I,2"}, 4, "Invalid expression."},
                  {kCallUsing, {"Show", "\"x\"", "", "", "", "", ""}, 1, "Numeric or String variable required."},
                  {kCallUsing, {"Show", "C", "", "\"r\"", "", "", ""}, 3, "Variable or Nothing required."},
                  {kCallUsing, {"Show", "C", "", "", "", "1 2", ""}, 5, "Invalid expression."},
                  {kReturn, {"A(,)"}, 0, "InvalidExpression."},
                  {kCall,
                   {name, name + "(" + name + "," + name + ")", literal, literal, literal + " "},
                   4,
                   std::string(kLineTooLong)}});
}

TEST_F(CallEditorsTest, ReturnWithAndWithoutValue)
{
    // A given 0 is a value, not a bare Return.
    const std::tuple<std::string, std::string, uint32_t> cases[] = {
        {"", "Return", 0}, {" Total ", "Return (Total)", 1}, {"0", "Return (0)", 1}};
    for (const auto& [value, text, given] : cases) {
        const EditedLine line = roundTrip(returnEditor, {value});
        EXPECT_EQ(line.text, text);
        EXPECT_EQ(line.block.u32(return_block::kValueGiven), given) << text;
    }
}
