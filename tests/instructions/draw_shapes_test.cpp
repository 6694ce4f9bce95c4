#include "instructions/catalogue.h"
#include "instructions/drawing/draw_shape_editors.h"
#include "instructions/drawing/draw_shapes.h"
#include "runtime/draw_target.h"
#include "support/canvas_run.h"
#include "support/run_fixture.h"

#include <chrono>

using namespace qel;
using namespace qel::test;

namespace {

const QRgb kWhite = qRgb(255, 255, 255);
const QRgb kRed = qRgb(150, 0, 0);
const QRgb kBlue = qRgb(0, 0, 128);

struct DrawShapes : RunFixture {
    QImage canvas{600, 400, QImage::Format_RGB32};
    DrawState state;
    DrawTarget target{canvas, state};

    DrawShapes()
    {
        canvas.fill(kWhite);
        handlers();
    }

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

TEST_F(DrawShapes, LineEndsAtItsRelativeEndPointWithOneEndPixel)
{
    build.add("DrawLine", {"100", "100", "50", "-20", "1", "Red", ""})
        .add("DrawLine", {"10", "300", "60", "300", "5", "Red", "1"});
    EXPECT_EQ(build.last().text, "DrawLine 10,300,60,300,5,\"Red\",Absolute");
    startWithCanvas(*this, target);
    ASSERT_TRUE(errors().empty()) << errors()[0];
    EXPECT_EQ(canvas.pixel(100, 100), kRed);
    EXPECT_EQ(canvas.pixel(150, 80), kRed);
    EXPECT_EQ(canvas.pixel(151, 79), kWhite);
    // The wide line stops flat at x = 60, where only the end point itself is set.
    EXPECT_EQ(canvas.pixel(59, 298), kRed);
    EXPECT_EQ(canvas.pixel(60, 300), kRed);
    EXPECT_EQ(canvas.pixel(60, 299), kWhite);
    EXPECT_EQ(canvas.pixel(60, 301), kWhite);
    EXPECT_EQ(canvas.pixel(61, 300), kWhite);
}

TEST_F(DrawShapes, RangeErrorsNameTheParameterInCheckingOrder)
{
    auto failure = [](std::string keyword, std::vector<std::string> fields) {
        Session s;
        s.handlers();
        s.build.add(keyword, std::move(fields));
        s.start();
        auto e = s.errors();
        return e.empty() ? std::string("<none>") : e[0];
    };
    EXPECT_EQ(failure("DrawLine", {"100", "100", "-101", "0", "1", "", ""}), "Value out of range - -1 - To X");
    EXPECT_EQ(failure("DrawLine", {"100", "100", "0", "9950", "1", "", ""}), "Value out of range - 10050 - To Y");
    EXPECT_EQ(failure("DrawLine", {"-1", "-1", "0", "0", "V", "", ""}),
              runErrorText("Expecting numeric value but found undeclared variable - V"));
    EXPECT_EQ(failure("DrawRect", {"-1", "5", "1", "1", "0", "", "", "", ""}), "Value out of range - 0 - Pen width");
    EXPECT_EQ(failure("DrawRect", {"10", "10", "-11", "1", "1", "", "", "", ""}), "Value out of range - -1 - Right");
    EXPECT_EQ(failure("DrawCircle", {"1", "1", "1", "10001", "0", ""}), "Value out of range - 10001 - Radius Y");
    EXPECT_EQ(failure("DrawArc", {"1", "1", "-1", "1", "370", "5", "1", ""}),
              "Value out of range - 370 - Start Degrees");
    EXPECT_EQ(failure("DrawArc", {"1", "1", "-1", "1", "30", "30", "1", ""}), "Value out of range - -1 - Radius X");
    EXPECT_EQ(failure("DrawArc", {"100", "100", "10", "10", "30", "30", "1", ""}), runErrorText(kArcAnglesEqual));
    EXPECT_EQ(failure("DrawPoint", {"3", "-2", ""}), "Value out of range - -2 - AtY");
    EXPECT_EQ(failure("DrawFill", {"10000.5", "0", ""}), "Value out of range - 10000.5 - AtX");
}

TEST_F(DrawShapes, RectangleBottomEdgeIsOnePixelLower)
{
    build
        .add("DrawRect", {"10", "10", "40", "20", "1", "Red", "Red", "", "1"}) // filled
        .add("DrawRect", {"100", "10", "30", "10", "1", "Blue", "", "1", ""}); // outline, relative
    EXPECT_EQ(build.last().text, "DrawRect 100,10,30,10,1,\"Blue\",\"Black\",Transparent");
    startWithCanvas(*this, target);
    EXPECT_EQ(extent(kRed), QRect(QPoint(10, 10), QPoint(39, 20))); // rows 10 to 20 inclusive
    EXPECT_EQ(extent(kBlue), QRect(QPoint(100, 10), QPoint(130, 21)));
    EXPECT_EQ(canvas.pixel(115, 21), kBlue);
    EXPECT_EQ(canvas.pixel(115, 15), kWhite); // outline only
}

TEST_F(DrawShapes, CirclesFillAtWidthZeroAndShortenOnTheDiagonal)
{
    const QRgb green = qRgb(0, 128, 0), cyan = qRgb(0, 128, 128);
    build.add("DrawCircle", {"100", "100", "30", "20", "0", "Green"})
        .add("DrawCircle", {"300", "100", "30", "20", "2", "Blue"})
        .add("DrawCircle", {"200", "200", "50", "50", "1", "Red"})
        .add("DrawCircle", {"450", "300", "50", "50", "1", "Cyan"});
    startWithCanvas(*this, target);
    const QRect disc = extent(green);
    EXPECT_EQ(disc.left(), 70);
    EXPECT_EQ(disc.right(), 129);
    EXPECT_EQ(disc.bottom(), 119);
    EXPECT_LE(disc.top(), 81);
    EXPECT_EQ(canvas.pixel(100, 100), green);
    const QRect ring = extent(kBlue);
    EXPECT_EQ(ring.center().y(), 99);
    EXPECT_GE(ring.width(), 58);
    EXPECT_EQ(canvas.pixel(300, 100), kWhite);
    // Equal radii: the circle centred on the diagonal loses a pixel at top and bottom.
    const QRect diagonal = extent(kRed), offDiagonal = extent(cyan);
    EXPECT_EQ(diagonal.width(), offDiagonal.width());
    EXPECT_EQ(diagonal.top() - 150, offDiagonal.top() - 250 + 1);
    EXPECT_EQ(diagonal.bottom() - 250, offDiagonal.bottom() - 350 - 1);
}

TEST_F(DrawShapes, ArcsRunCounterClockwiseAndThroughZero)
{
    build.add("DrawArc", {"100", "100", "50", "50", "350", "10", "1", "Red"})
        .add("DrawArc", {"300", "200", "50", "50", "10", "350", "3", "Blue"});
    startWithCanvas(*this, target);
    ASSERT_TRUE(errors().empty()) << errors()[0];
    // Through 0 degrees: only the 20 degrees at the right of the centre.
    EXPECT_EQ(canvas.pixel(150, 100), kRed);
    EXPECT_EQ(canvas.pixel(149, 109), kRed); // 350 degrees lies below the centre
    // The last step before 10 degrees is 9.6 degrees, one row short of 10 degrees' row 91.
    EXPECT_EQ(extent(kRed), QRect(QPoint(149, 92), QPoint(150, 109)));
    // The long way round, thickened downwards from one pixel above the curve.
    EXPECT_EQ(canvas.pixel(250, 200), kBlue);
    EXPECT_EQ(canvas.pixel(250, 199), kBlue);
    EXPECT_EQ(canvas.pixel(250, 201), kBlue);
    EXPECT_EQ(canvas.pixel(300, 150), kBlue); // 90 degrees is above the centre
    EXPECT_EQ(canvas.pixel(350, 200), kWhite);
}

TEST_F(DrawShapes, FillStopsAtOtherColoursAndReachesTheEdge)
{
    build.add("DrawRect", {"100", "100", "200", "200", "1", "Blue", "", "1", "1"})
        .add("DrawFill", {"150", "150", "Red"})
        .add("DrawPoint", {"5", "5", "Green"})
        .add("DrawFill", {"0", "399", "Light Yellow"})
        .add("DrawFill", {"150", "150", "Red"}); // already that colour: nothing changes
    startWithCanvas(*this, target);
    const QRgb yellow = qRgb(255, 255, 0);
    EXPECT_EQ(extent(kRed), QRect(QPoint(101, 101), QPoint(199, 200)));
    EXPECT_EQ(canvas.pixel(100, 150), kBlue);
    EXPECT_EQ(canvas.pixel(599, 0), yellow);
    EXPECT_EQ(canvas.pixel(599, 399), yellow);
    EXPECT_EQ(canvas.pixel(5, 5), state.colour(4));
    EXPECT_EQ(canvas.pixel(5, 6), yellow);
}

TEST_F(DrawShapes, DrawingUsesTheColourTableAtDrawTimeAndFillsFast)
{
    state.colours[4] = qRgb(1, 2, 3); // as ColourRemap of Green leaves it
    build.add("DrawLine", {"0", "0", "10", "0", "1", "Green", ""}).add("DrawFill", {"300", "300", "Red"});
    const auto begin = std::chrono::steady_clock::now();
    startWithCanvas(*this, target);
    const auto took = std::chrono::steady_clock::now() - begin;
    EXPECT_EQ(canvas.pixel(5, 0), qRgb(1, 2, 3));
    EXPECT_EQ(canvas.pixel(599, 399), kRed);
    EXPECT_EQ(canvas.pixel(599, 0), kRed);
    EXPECT_LT(std::chrono::duration_cast<std::chrono::milliseconds>(took).count(), 200); // sanitised build
}

TEST_F(DrawShapes, EditorsShowTheFirstFailingFieldsMessageAndDecodeWhatTheyAccepted)
{
    EditContext context{program, variables, nullptr};
    auto message = [&](uint32_t type, std::vector<std::string> values) {
        EditOutcome out = editorFor(type)->accept(values, context);
        return out.ok() ? std::pair(-1, std::string()) : std::pair(out.error->field, out.error->message);
    };
    using R = std::pair<int, std::string>;
    EXPECT_EQ(message(kDrawLine, {"1.5", "0", "0", "0", "1"}), R(0, std::string(kFloatInvalidFrom)));
    EXPECT_EQ(message(kDrawLine, {"1", "0", "0", "2.5", "1"}), R(3, std::string(kFloatInvalidTo)));
    EXPECT_EQ(message(kDrawLine, {"1", "0", "0", "0", "1.0"}), R(4, std::string(kFloatInvalidTo)));
    EXPECT_EQ(message(kDrawLine, {"1", "\"a\"", "0", "0", "1"}), R(1, "String constant invalid in this context."));
    EXPECT_EQ(message(kDrawLine, {"1", "0", " ", "0", "1"}), R(2, "Expression Required."));
    EXPECT_EQ(message(kDrawLine, {"1", "0", "0", "a b", "1"}), R(3, "Invalid expression."));
    EXPECT_EQ(message(kDrawLine, {"1", "0", "0", "0", "10"}), R(4, "Line width must be between 1 and 9."));
    EXPECT_EQ(message(kDrawLine, {"1", "0", "0", "0", "0"}), R(4, "Line width must be between 1 and 9."));
    EXPECT_EQ(message(kDrawLine, {"1", "0", "0", "0", "W", "Pink"}), R(5, "Choose one of the items in the list"));
    EXPECT_EQ(message(kDrawRect, {"1", "2", "3", "\"x\"", "1"}), R(3, "Numeric expression required."));
    EXPECT_EQ(message(kDrawCircle, {"1", "2", "3", "4", ""}), R(4, "Numeric expression required."));
    EXPECT_EQ(message(kDrawArc, {"1", "2", "3", "4", "5", "6(", "1"}), R(5, "Numeric expression required."));
    EXPECT_EQ(message(kDrawFill, {"1.5", "Y(2)"}), R(-1, ""));
    EXPECT_EQ(editorFor(kDrawArc)->title(), "Draw An Arc");
    EXPECT_EQ(editorFor(kDrawFill)->title(), "Fill An Area");

    const std::vector<std::pair<uint32_t, std::vector<std::string>>> lines = {
        {kDrawLine, {"X", "2", "A(1,J)", "-4", "9", "Light Red", "1"}},
        {kDrawRect, {"1.5", "T", "3", "4", "2", "Yellow", "Bright White", "", "1"}},
        {kDrawCircle, {"1", "2", "3", "4", "0", "Magenta"}},
        {kDrawArc, {"1", "2", "3", "4", "5", "6", "7", "Grey"}},
        {kDrawPoint, {"1", "2", "White"}},
        {kDrawFill, {"P", "Q", "Black"}},
    };
    for (const auto& [type, values] : lines) {
        const InstructionEditor* editor = editorFor(type);
        EditOutcome first = editor->accept(values, context);
        ASSERT_TRUE(first.ok()) << type << ": " << first.error->message;
        const std::vector<std::string> decoded = editor->decode(ProgramLine{type, first.line.text, first.line.block});
        EXPECT_EQ(decoded, values) << type;
        EditOutcome again = editor->accept(decoded, context);
        EXPECT_EQ(again.line.block, first.line.block) << type;
        EXPECT_EQ(again.line.text, first.line.text) << type;
    }
    EditOutcome rect = editorFor(kDrawRect)->accept(lines[1].second, context);
    EXPECT_EQ(rect.line.text, "DrawRect 1.5,T,3,4,2,\"Yellow\",\"Bright White\",Absolute");
    EXPECT_EQ(rect.line.block.u32(rect_block::kFill), 15u);
    EXPECT_EQ(rect.line.block.u32(0), rect_block::kFixedBody + 2); // "T" and its NUL
    EditOutcome fresh = editorFor(kDrawPoint)->accept({"1", "2"}, context);
    EXPECT_EQ(fresh.line.text, "DrawPoint 1,2,\"Black\"");
}
