#include "instructions/window/window_instructions.h"
#include "runtime/draw_target.h"
#include "support/canvas_run.h"
#include "support/run_fixture.h"

using namespace qel;
using namespace qel::test;

namespace {

struct WindowInstructions : RunFixture {
    QImage canvas{600, 400, QImage::Format_RGB32};
    DrawState state;
    DrawTarget target{canvas, state};

    void runWithCanvas() { startWithCanvas(*this, target); }
};

} // namespace

TEST_F(WindowInstructions, ClearFillsTheWholeWindowWithTheTableColour)
{
    handlers();
    build.add("DeclareVariable", variableFields("Integer", "W", "0"))
        .add("DeclareVariable", variableFields("Floating Point", "H", "0"))
        .add("WindowClear", {"Red"})
        .add("WindowGetSize", {"W", "H"});
    EXPECT_EQ(program.sections[kInitialise].lines[3].text, "WindowClear \"Red\"");
    EXPECT_EQ(program.sections[kInitialise].lines[4].text, "WindowGetSize W, H");
    runWithCanvas();
    EXPECT_TRUE(errors().empty()) << errors()[0];
    EXPECT_EQ(canvas.pixel(0, 0), qRgb(150, 0, 0));
    EXPECT_EQ(canvas.pixel(599, 399), qRgb(150, 0, 0));
    EXPECT_EQ(number("W"), 600.0f);
    EXPECT_EQ(number("H"), 400.0f);

    state.colours[14] = qRgb(1, 2, 3); // a remapped colour is drawn from the table at drawing time
    EXPECT_EQ(state.colour(14), qRgb(1, 2, 3));
    EXPECT_EQ(kDefaultColours[14], qRgb(220, 220, 220));
    EXPECT_EQ(kDefaultColours[15], qRgb(255, 255, 255));
}

TEST_F(WindowInstructions, GetSizeNeedsDeclaredNumericVariables)
{
    handlers();
    build.add("DeclareVariable", variableFields("String", "S", "\"\"")).add("WindowGetSize", {"S", "Nowhere"});
    runWithCanvas();
    EXPECT_EQ(errors(),
              std::vector<std::string>{runErrorText("Expecting numeric variable but found non numeric variable - S")});

    Session undeclared;
    undeclared.handlers();
    undeclared.build.add("DeclareVariable", variableFields("Integer", "W", "0")).add("WindowGetSize", {"W", "Nowhere"});
    undeclared.start();
    EXPECT_EQ(undeclared.errors(), std::vector<std::string>{runErrorText(
                                       "Expecting numeric variable but found undeclared variable - Nowhere")});

    WindowGetSizeEditor editor;
    EditContext context{program, variables, nullptr};
    EditOutcome literal = editor.accept({"W", "5"}, context);
    ASSERT_FALSE(literal.ok());
    EXPECT_EQ(literal.error->field, 1);
    EXPECT_EQ(literal.error->message, "Variable required.");
    WindowClearEditor clear;
    EditOutcome cyan = clear.accept({"Light Cyan"}, context);
    ASSERT_TRUE(cyan.ok());
    EXPECT_EQ(cyan.line.block.u32(window_block::kColour), 7u);
    EXPECT_EQ(clear.decode(ProgramLine{cyan.line.type, cyan.line.text, cyan.line.block}),
              std::vector<std::string>{"Light Cyan"});
}
