#include "instruction_checks.h"
#include "instructions/catalogue.h"
#include "instructions/drawing/draw_shape_editors.h"
#include "instructions/drawing/draw_shapes.h"

using namespace qel;
using namespace qel::test;

namespace {

const QRgb kWhite = qRgb(255, 255, 255);
const QRgb kRed = qRgb(150, 0, 0);
const QRgb kBlue = qRgb(0, 0, 128);

struct DrawShapes : CanvasFixture<600, 400, kWhite> {
    DrawShapes() { handlers(); }

    // The smallest rectangle holding every pixel of that colour (empty when there is none).
    QRect extent(QRgb colour) const
    {
        QRect box;
        for (int y = 0; y < canvas.height(); ++y)
            for (int x = 0; x < canvas.width(); ++x)
                if (canvas.pixel(x, y) == colour)
                    box |= QRect(x, y, 1, 1);
        return box;
    }
};

} // namespace

TEST_F(DrawShapes, LineEndsAtItsRelativeEndPointWithOneEndPixelAndRangeErrorsNameTheParameter)
{
    add(build, {line("DrawLine", {"100", "100", "50", "-20", "1", "Red", ""}),
                line("DrawLine", {"10", "300", "60", "300", "5", "Red", "1"})});
    EXPECT_EQ(build.last().text, "DrawLine 10,300,60,300,5,\"Red\",Absolute");
    ASSERT_TRUE(startsCleanly(*this, &target));
    expectPixels(canvas, {{100, 100, kRed}, {150, 80, kRed}, {151, 79, kWhite}});
    // The wide line stops flat at x = 60, where only the end point itself is set.
    expectPixels(canvas, {{59, 298, kRed}, {60, 300, kRed}, {60, 299, kWhite}, {60, 301, kWhite}, {61, 300, kWhite}});

    // Range errors name the parameter, in checking order.
    const std::pair<Line, std::string> cases[] = {
        {line("DrawLine", {"100", "100", "-101", "0", "1", "", ""}), "Value out of range - -1 - To X"},
        {line("DrawLine", {"100", "100", "0", "9950", "1", "", ""}), "Value out of range - 10050 - To Y"},
        {line("DrawLine", {"-1", "-1", "0", "0", "V", "", ""}),
         runErrorText("Expecting numeric value but found undeclared variable - V")},
        {line("DrawRect", {"-1", "5", "1", "1", "0", "", "", "", ""}), "Value out of range - 0 - Pen width"},
        {line("DrawRect", {"10", "10", "-11", "1", "1", "", "", "", ""}), "Value out of range - -1 - Right"},
        {line("DrawCircle", {"1", "1", "1", "10001", "0", ""}), "Value out of range - 10001 - Radius Y"},
        {line("DrawArc", {"1", "1", "-1", "1", "370", "5", "1", ""}), "Value out of range - 370 - Start Degrees"},
        {line("DrawArc", {"1", "1", "-1", "1", "30", "30", "1", ""}), "Value out of range - -1 - Radius X"},
        {line("DrawArc", {"100", "100", "10", "10", "30", "30", "1", ""}), runErrorText(kArcAnglesEqual)},
        {line("DrawPoint", {"3", "-2", ""}), "Value out of range - -2 - AtY"},
        {line("DrawFill", {"10000.5", "0", ""}), "Value out of range - 10000.5 - AtX"},
    };
    for (const auto& [failing, error] : cases)
        EXPECT_EQ(CaseRun({failing}).errors(), Texts{error});
}

TEST_F(DrawShapes, RectangleBottomEdgeIsOnePixelLower)
{
    add(build, {line("DrawRect", {"10", "10", "40", "20", "1", "Red", "Red", "", "1"}),  // filled
                line("DrawRect", {"100", "10", "30", "10", "1", "Blue", "", "1", ""})}); // outline, relative
    EXPECT_EQ(build.last().text, "DrawRect 100,10,30,10,1,\"Blue\",\"Black\",Transparent");
    startWithCanvas(*this, target);
    EXPECT_EQ(extent(kRed), QRect(QPoint(10, 10), QPoint(39, 20))); // rows 10 to 20 inclusive
    EXPECT_EQ(extent(kBlue), QRect(QPoint(100, 10), QPoint(130, 21)));
    expectPixels(canvas, {{115, 21, kBlue}, {115, 15, kWhite}}); // outline only
}

TEST_F(DrawShapes, CirclesFillAtWidthZeroAndShortenOnTheDiagonal)
{
    const QRgb green = qRgb(0, 128, 0), cyan = qRgb(0, 128, 128);
    add(build, {line("DrawCircle", {"100", "100", "30", "20", "0", "Green"}),
                line("DrawCircle", {"300", "100", "30", "20", "2", "Blue"}),
                line("DrawCircle", {"200", "200", "50", "50", "1", "Red"}),
                line("DrawCircle", {"450", "300", "50", "50", "1", "Cyan"})});
    startWithCanvas(*this, target);
    const QRect disc = extent(green);
    EXPECT_EQ(std::tuple(disc.left(), disc.right(), disc.bottom()), std::tuple(70, 129, 119));
    EXPECT_LE(disc.top(), 81);
    const QRect ring = extent(kBlue);
    EXPECT_EQ(ring.center().y(), 99);
    EXPECT_GE(ring.width(), 58);
    expectPixels(canvas, {{100, 100, green}, {300, 100, kWhite}});
    // Equal radii: the circle centred on the diagonal loses a pixel at top and bottom.
    const QRect diagonal = extent(kRed), offDiagonal = extent(cyan);
    EXPECT_EQ(diagonal.width(), offDiagonal.width());
    EXPECT_EQ(diagonal.top() - 150, offDiagonal.top() - 250 + 1);
    EXPECT_EQ(diagonal.bottom() - 250, offDiagonal.bottom() - 350 - 1);
}

TEST_F(DrawShapes, ArcsRunCounterClockwiseAndThroughZero)
{
    add(build, {line("DrawArc", {"100", "100", "50", "50", "350", "10", "1", "Red"}),
                line("DrawArc", {"300", "200", "50", "50", "10", "350", "3", "Blue"})});
    ASSERT_TRUE(startsCleanly(*this, &target));
    // Through 0 degrees: only the 20 degrees at the right of the centre (350 degrees lies below it).
    expectPixels(canvas, {{150, 100, kRed}, {149, 109, kRed}});
    // The last step before 10 degrees is 9.6 degrees, one row short of 10 degrees' row 91.
    EXPECT_EQ(extent(kRed), QRect(QPoint(149, 92), QPoint(150, 109)));
    // The long way round, thickened downwards from one pixel above the curve; 90 degrees is above the
    // centre.
    expectPixels(canvas,
                 {{250, 200, kBlue}, {250, 199, kBlue}, {250, 201, kBlue}, {300, 150, kBlue}, {350, 200, kWhite}});
}

// Green is remapped as ColourRemap leaves it: drawing reads the colour table when it draws.
TEST_F(DrawShapes, FillStopsAtOtherColoursAndReachesTheEdgeInTheColourTablesColours)
{
    state.colours[4] = qRgb(1, 2, 3);
    add(build, {line("DrawRect", {"100", "100", "200", "200", "1", "Blue", "", "1", "1"}),
                line("DrawFill", {"150", "150", "Red"}), line("DrawPoint", {"5", "5", "Green"}),
                line("DrawFill", {"0", "399", "Light Yellow"}),
                line("DrawFill", {"150", "150", "Red"})}); // already that colour: nothing changes
    startWithCanvas(*this, target);
    const QRgb yellow = qRgb(255, 255, 0);
    EXPECT_EQ(extent(kRed), QRect(QPoint(101, 101), QPoint(199, 200)));
    expectPixels(canvas,
                 {{100, 150, kBlue}, {599, 0, yellow}, {599, 399, yellow}, {5, 5, qRgb(1, 2, 3)}, {5, 6, yellow}});
}

TEST_F(DrawShapes, EditorsShowTheFirstFailingFieldsMessageAndDecodeWhatTheyAccepted)
{
    EditContext context{program, variables, nullptr};
    const std::string width = "Line width must be between 1 and 9.", numeric = "Numeric expression required.";
    const std::vector<EditorRow> rows = {
        {kDrawLine, {"1.5", "0", "0", "0", "1"}, 0, std::string(kFloatInvalidFrom)},
        {kDrawLine, {"1", "0", "0", "2.5", "1"}, 3, std::string(kFloatInvalidTo)},
        {kDrawLine, {"1", "0", "0", "0", "1.0"}, 4, std::string(kFloatInvalidTo)},
        {kDrawLine, {"1", "\"a\"", "0", "0", "1"}, 1, "String constant invalid in this context."},
        {kDrawLine, {"1", "0", " ", "0", "1"}, 2, "Expression Required."},
        {kDrawLine, {"1", "0", "0", "a b", "1"}, 3, "Invalid expression."},
        {kDrawLine, {"1", "0", "0", "0", "10"}, 4, width},
        {kDrawLine, {"1", "0", "0", "0", "0"}, 4, width},
        {kDrawLine, {"1", "0", "0", "0", "W", "Pink"}, 5, "Choose one of the items in the list"},
        {kDrawRect, {"1", "2", "3", "\"x\"", "1"}, 3, numeric},
        {kDrawCircle, {"1", "2", "3", "4", ""}, 4, numeric},
        {kDrawArc, {"1", "2", "3", "4", "5", "6(", "1"}, 5, numeric},
        {kDrawFill, {"1.5", "Y(2)"}, kBuilt, ""},
        {kDrawLine, {"X", "2", "A(1,J)", "-4", "9", "Light Red", "1"}, kSame, ""},
        {kDrawRect,
         {"1.5", "T", "3", "4", "2", "Yellow", "Bright White", "", "1"},
         kSame,
         "DrawRect 1.5,T,3,4,2,\"Yellow\",\"Bright White\",Absolute"},
        {kDrawCircle, {"1", "2", "3", "4", "0", "Magenta"}, kSame, ""},
        {kDrawArc, {"1", "2", "3", "4", "5", "6", "7", "Grey"}, kSame, ""},
        {kDrawPoint, {"1", "2", "White"}, kSame, ""},
        {kDrawFill, {"P", "Q", "Black"}, kSame, ""},
        {kDrawPoint, {"1", "2"}, kBuilt, "DrawPoint 1,2,\"Black\""},
    };
    expectEditorRows(context, rows);
    const ParamBlock rect = editorFor(kDrawRect)->accept(rows[14].fields, context).line.block;
    EXPECT_EQ(rect.u32(rect_block::kFill), 15u);
    EXPECT_EQ(rect.u32(0), rect_block::kFixedBody + 2); // "T" and its NUL
}
