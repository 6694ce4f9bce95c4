#include "instruction_checks.h"
#include "instructions/window/window_instructions.h"

using namespace qel;
using namespace qel::test;

using WindowInstructions = CanvasFixture<600, 400, 0xFFFFFFFF>;

TEST_F(WindowInstructions, ClearFillsTheWholeWindowWithTheTableColourAndGetSizeReadsItIntoNumericVariables)
{
    handlers();
    add(build, {declare("Integer", {"W=0"}), declare("Floating Point", {"H=0"}), line("WindowClear", {"Red"}),
                line("WindowGetSize", {"W", "H"})});
    EXPECT_EQ(build.last().text, "WindowGetSize W, H");
    EXPECT_TRUE(startsCleanly(*this, &target));
    expectPixels(canvas, {{0, 0, qRgb(150, 0, 0)}, {599, 399, qRgb(150, 0, 0)}});
    EXPECT_EQ(numbers(*this, {"W", "H"}), (std::vector<float>{600, 400}));

    // GetSize needs declared numeric variables.
    EXPECT_EQ(CaseRun({declare("String", {"S=\"\""}), line("WindowGetSize", {"S", "Nowhere"})}, true).errors(),
              Texts{runErrorText("Expecting numeric variable but found non numeric variable - S")});
    EXPECT_EQ(CaseRun({declare("Integer", {"W=0"}), line("WindowGetSize", {"W", "Nowhere"})}).errors(),
              Texts{runErrorText("Expecting numeric variable but found undeclared variable - Nowhere")});

    EditContext context{program, variables, nullptr};
    EXPECT_EQ(refusal(WindowGetSizeEditor(), {"W", "5"}, context), Refusal(1, "Variable required."));
    const RoundTrip cyan = roundTrip(WindowClearEditor(), {"Light Cyan"}, context);
    EXPECT_EQ(cyan.line.block.u32(window_block::kColour), 7u);
    EXPECT_EQ(cyan.decoded, Texts{"Light Cyan"});
}
