#include "instructions/drawing/draw_shapes.h"

#include "instructions/drawing/draw_shape_editors.h"
#include "instructions/families.h"
#include "interpreter/line_context.h"
#include "messages/run_errors.h"
#include "runtime/draw_target.h"
#include "values/evaluate.h"

#include <QPainter>

#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <utility>
#include <vector>

namespace qel {

namespace {

constexpr float kMaxCoordinate = 10000.0f;

constexpr std::string_view kPenWidth = "Pen width";
constexpr std::string_view kFromXLabel = "From X", kFromYLabel = "From Y", kToXLabel = "To X", kToYLabel = "To Y";
constexpr std::string_view kLeftLabel = "Left", kTopLabel = "Top", kRightLabel = "Right", kBottomLabel = "Bottom";
constexpr std::string_view kCentreXLabel = "Centre X", kCentreYLabel = "Centre Y", kRadiusXLabel = "Radius X",
                           kRadiusYLabel = "Radius Y";
constexpr std::string_view kStartLabel = "Start Degrees", kEndLabel = "End Degrees", kAtXLabel = "AtX",
                           kAtYLabel = "AtY";

// The arc's plotting constants: the step converts with a slightly shorter factor than the angles.
constexpr double kStepToRadians = 0.017453305;
constexpr double kDegreesToRadians = 0.017453305555555555;
constexpr double kFullTurn = 6.28319;

// Evaluates an operand and checks its range.
Result<float> checked(EvalContext& ctx, CachedOperand& op, float low, float high, std::string_view label)
{
    const float value = TRY(evalNumber(ctx, op));
    TRY(checkRange(ctx, value, low, high, label));
    return value;
}

Result<float> coordinate(EvalContext& ctx, CachedOperand& op, std::string_view label)
{
    return checked(ctx, op, 0.0f, kMaxCoordinate, label);
}

int pixels(float value) { return static_cast<int>(value); } // truncation toward zero

QColor colourOf(DrawTarget& target, const ParamBlock& block, uint32_t offset)
{
    return QColor::fromRgb(target.state().colour(block.u32(offset)));
}

// Direct pixel writes, for shapes plotted point by point; the painter must be ended first.
void plot(QImage& image, int x, int y, QRgb colour)
{
    if (x >= 0 && y >= 0 && x < image.width() && y < image.height() && image.depth() == 32)
        reinterpret_cast<QRgb*>(image.scanLine(y))[x] = colour;
}

// The operands DrawLine and DrawRect share: a pen width, a corner, and an opposite corner that is
// either a point or an offset from the first (added before its range check).
struct CornerOperands {
    CachedOperand &width, &x, &y, &otherX, &otherY;
    std::array<std::string_view, 4> labels; // x, y, other x, other y
};

struct Corners {
    int width = 0;
    QPoint first, second; // truncated to whole pixels
};

Result<Corners> corners(EvalContext& ctx, const CornerOperands& ops, bool absolute)
{
    const float width = TRY(checked(ctx, ops.width, 1.0f, 9.0f, kPenWidth));
    const float x = TRY(coordinate(ctx, ops.x, ops.labels[0]));
    const float y = TRY(coordinate(ctx, ops.y, ops.labels[1]));
    float otherX = TRY(evalNumber(ctx, ops.otherX));
    float otherY = TRY(evalNumber(ctx, ops.otherY));
    if (!absolute) {
        otherX += x;
        otherY += y;
    }
    TRY(checkRange(ctx, otherX, 0.0f, kMaxCoordinate, ops.labels[2]));
    TRY(checkRange(ctx, otherY, 0.0f, kMaxCoordinate, ops.labels[3]));
    return Corners{pixels(width), QPoint(pixels(x), pixels(y)), QPoint(pixels(otherX), pixels(otherY))};
}

LineResult executeDrawLine(LineContext& line)
{
    using namespace line_block;
    const ParamBlock& block = line.block();
    auto ops = line.operands();
    // The width slot lies outside the line's reference slots, so it is decoded here.
    CachedOperand widthOperand{readOperand(block, kWidth), {}};
    const Corners segment = TRY(corners(line.eval(),
                                        {widthOperand,
                                         ops[slotIndex(kFromX)],
                                         ops[slotIndex(kFromY)],
                                         ops[slotIndex(kToX)],
                                         ops[slotIndex(kToY)],
                                         {kFromXLabel, kFromYLabel, kToXLabel, kToYLabel}},
                                        block.u32(kAbsolute) != 0));
    DrawTarget* target = line.drawTarget();
    if (!target)
        return Flow::Next;
    const QColor colour = colourOf(*target, block, kColour);
    QPainter& p = target->painter();
    p.save();
    p.setPen(QPen(colour, segment.width, Qt::SolidLine, Qt::FlatCap, Qt::BevelJoin));
    p.drawLine(segment.first, segment.second);
    p.fillRect(QRect(segment.second, QSize(1, 1)), colour); // the end point is always drawn, as one pixel
    p.restore();
    return Flow::Next;
}

LineResult executeDrawRect(LineContext& line)
{
    using namespace rect_block;
    const ParamBlock& block = line.block();
    auto ops = line.operands();
    const Corners box = TRY(corners(line.eval(),
                                    {ops[slotIndex(kWidth)],
                                     ops[slotIndex(kLeft)],
                                     ops[slotIndex(kTop)],
                                     ops[slotIndex(kRight)],
                                     ops[slotIndex(kBottom)],
                                     {kLeftLabel, kTopLabel, kRightLabel, kBottomLabel}},
                                    block.u32(kAbsolute) != 0));
    DrawTarget* target = line.drawTarget();
    if (!target)
        return Flow::Next;
    // The bottom edge is drawn one pixel lower than given; the right edge is not moved.
    const int l = box.first.x(), t = box.first.y(), r = box.second.x(), b = box.second.y() + 1;
    const QColor outline = colourOf(*target, block, kOutline);
    QPainter& p = target->painter();
    p.save();
    if (block.u32(kTransparent) != 0) {
        p.setPen(QPen(outline, box.width, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        const QPoint corners[] = {{l, t}, {r, t}, {r, b}, {l, b}, {l, t}};
        p.drawPolyline(corners, 5);
    } else if (l != r && t != b) {
        // Filled, the box covers columns up to Right - 1 and rows up to the given Bottom.
        const int x0 = std::min(l, r), x1 = std::max(l, r), y0 = std::min(t, b), y1 = std::max(t, b);
        p.setPen(QPen(outline, box.width, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        p.setBrush(colourOf(*target, block, kFill));
        p.drawRect(QRect(x0, y0, x1 - x0 - 1, y1 - y0 - 1));
    }
    p.restore();
    return Flow::Next;
}

LineResult executeDrawCircle(LineContext& line)
{
    using namespace circle_block;
    const ParamBlock& block = line.block();
    auto ops = line.operands();
    EvalContext& ctx = line.eval();
    const float width = TRY(checked(ctx, ops[slotIndex(kWidth)], 0.0f, 9.0f, kPenWidth));
    const float cx = TRY(coordinate(ctx, ops[slotIndex(kCentreX)], kCentreXLabel));
    const float cy = TRY(coordinate(ctx, ops[slotIndex(kCentreY)], kCentreYLabel));
    const float rx = TRY(coordinate(ctx, ops[slotIndex(kRadiusX)], kRadiusXLabel));
    const float ry = TRY(coordinate(ctx, ops[slotIndex(kRadiusY)], kRadiusYLabel));
    DrawTarget* target = line.drawTarget();
    if (!target)
        return Flow::Next;
    const int x = pixels(cx), y = pixels(cy), radiusX = pixels(rx), radiusY = pixels(ry), pen = pixels(width);
    int top = y - radiusY, bottom = y + radiusY;
    const int left = x - radiusX, right = x + radiusX;
    const QColor colour = colourOf(*target, block, kColour);
    QPainter& p = target->painter();
    p.save();
    if (pen == 0) {
        p.setPen(Qt::NoPen);
        p.setBrush(colour);
        if (right > left && bottom > top)
            p.drawEllipse(QRect(left, top, right - left, bottom - top));
    } else {
        // A circle whose centre lies on the diagonal is drawn a pixel shorter at top and bottom.
        if (radiusX == radiusY && x == y && radiusX != 0) {
            ++top;
            --bottom;
        }
        p.setPen(QPen(colour, pen));
        p.setBrush(Qt::NoBrush);
        if (right - left > 1 && bottom - top > 1)
            p.drawEllipse(QRect(left, top, right - left - 1, bottom - top - 1));
    }
    p.restore();
    return Flow::Next;
}

LineResult executeDrawArc(LineContext& line)
{
    using namespace arc_block;
    const ParamBlock& block = line.block();
    auto ops = line.operands();
    EvalContext& ctx = line.eval();
    const float width = TRY(checked(ctx, ops[slotIndex(kWidth)], 1.0f, 9.0f, kPenWidth));
    const float cx = TRY(coordinate(ctx, ops[slotIndex(kCentreX)], kCentreXLabel));
    const float cy = TRY(coordinate(ctx, ops[slotIndex(kCentreY)], kCentreYLabel));
    const float start = TRY(checked(ctx, ops[slotIndex(kStart)], 0.0f, 360.0f, kStartLabel));
    const float end = TRY(checked(ctx, ops[slotIndex(kEnd)], 0.0f, 360.0f, kEndLabel));
    const float rx = TRY(coordinate(ctx, ops[slotIndex(kRadiusX)], kRadiusXLabel));
    const float ry = TRY(coordinate(ctx, ops[slotIndex(kRadiusY)], kRadiusYLabel));
    if (start == end)
        return runError(kArcAnglesEqual);
    DrawTarget* target = line.drawTarget();
    if (!target)
        return Flow::Next;
    const int x = pixels(cx), y = pixels(cy), radiusX = pixels(rx), radiusY = pixels(ry), pen = pixels(width);
    const double halfSum = (radiusX + radiusY) * 0.5;
    const double step = (halfSum > 0.0 ? std::min(40.0 / halfSum, 1.0) : 1.0) * kStepToRadians;
    const double from = start * kDegreesToRadians;
    double to = end * kDegreesToRadians;
    // A pen width thickens the arc downwards from a point above the curve, vertically only.
    const int offset = static_cast<int>(pen * 0.5 + 1);
    const QRgb colour = target->state().colour(block.u32(kColour)) | 0xFF000000u;
    target->end();
    QImage& image = target->image();
    // Points round as the arc has always been plotted: half added, then cut toward zero.
    auto plotAngle = [&](double a) {
        const int px = static_cast<int>(x + radiusX * std::cos(a) + 0.5); // NOLINT(bugprone-incorrect-roundings)
        const int py = static_cast<int>(y - radiusY * std::sin(a) + 0.5); // NOLINT(bugprone-incorrect-roundings)
        for (int j = 1; j <= pen; ++j)
            plot(image, px, py - offset + j, colour);
    };
    if (to < from) { // through 0 degrees
        for (double a = 0.0; a <= to; a += step)
            plotAngle(a);
        to = kFullTurn;
    }
    for (double a = from; a <= to; a += step)
        plotAngle(a);
    return Flow::Next;
}

// A surface fill: every pixel 4-connected to (x, y) with exactly its colour takes the new colour.
// Works span by span on the image's rows; an interrupted run leaves the fill unfinished.
void floodFill(QImage& image, int x, int y, QRgb colour, const std::atomic<bool>& interrupted)
{
    if (x < 0 || y < 0 || x >= image.width() || y >= image.height() || image.depth() != 32)
        return;
    constexpr QRgb kRgb = 0x00FFFFFF;
    const int width = image.width(), height = image.height();
    const qsizetype stride = image.bytesPerLine() / 4;
    QRgb* bits = reinterpret_cast<QRgb*>(image.bits());
    const QRgb old = bits[y * stride + x] & kRgb;
    if (old == (colour & kRgb))
        return;
    auto matches = [&](const QRgb* row, int i) { return (row[i] & kRgb) == old; };
    std::vector<std::pair<int, int>> seeds{{x, y}};
    while (!seeds.empty() && !interrupted.load(std::memory_order_relaxed)) {
        const auto [sx, sy] = seeds.back();
        seeds.pop_back();
        QRgb* row = bits + sy * stride;
        if (!matches(row, sx))
            continue;
        int left = sx, right = sx;
        while (left > 0 && matches(row, left - 1))
            --left;
        while (right + 1 < width && matches(row, right + 1))
            ++right;
        std::fill(row + left, row + right + 1, colour);
        for (int ny : {sy - 1, sy + 1}) {
            if (ny < 0 || ny >= height)
                continue;
            const QRgb* next = bits + ny * stride; // one seed for each run of matching pixels
            for (int i = left; i <= right; ++i)
                if (matches(next, i) && (i == left || !matches(next, i - 1)))
                    seeds.emplace_back(i, ny);
        }
    }
}

// DrawPoint and DrawFill: one checked pixel position and a colour, for work on the image's pixels.
static_assert(point_block::kAtX == fill_block::kAtX && point_block::kAtY == fill_block::kAtY);
void plotPoint(QImage& image, int x, int y, QRgb colour, const std::atomic<bool>&) { plot(image, x, y, colour); }

template <uint32_t ColourOffset, void (*Paint)(QImage&, int, int, QRgb, const std::atomic<bool>&)>
LineResult executeAtPixel(LineContext& line)
{
    auto ops = line.operands();
    const float x = TRY(coordinate(line.eval(), ops[slotIndex(point_block::kAtX)], kAtXLabel));
    const float y = TRY(coordinate(line.eval(), ops[slotIndex(point_block::kAtY)], kAtYLabel));
    if (DrawTarget* target = line.drawTarget()) {
        const QRgb colour = target->state().colour(line.block().u32(ColourOffset)) | 0xFF000000u;
        target->end();
        Paint(target->image(), pixels(x), pixels(y), colour, line.interrupted());
    }
    return Flow::Next;
}

} // namespace

// Help lines several shapes share.
constexpr const char* kCentreHelp = "Centre X, Centre Y: the centre.\n";
constexpr const char* kRadiusHelp = "Radius X, Radius Y: the radius across and down (equal for a circle).\n";
constexpr const char* kPenWidthHelp = "Width: the pen width, 1 to 9.\n";

Family drawingFamily()
{
    static const std::vector<const InstructionEditor*> editors = shapeEditors();
    static const InstructionDescriptor descriptors[] = {
        {kDrawLine,
         {InstructionList::Drawing, 6},
         "dl",
         editorOfType(editors, kDrawLine),
         executeDrawLine,
         {"Draws a straight line in the run-time window. Coordinates are pixels from the top left corner of the "
          "window, x to the right and y downwards.",
          std::string("From X, From Y: where the line starts.\n"
                      "To X, To Y: where it ends; a distance from the start unless To X/Y Absolute is ticked.\n") +
              kPenWidthHelp +
              "Colour: the line's colour.\n"
              "To X/Y Absolute: ticked, To X and To Y are a point of the window.",
          {"10", "20", "200", "150", "1", "Red", "1"},
          {}}},
        {kDrawArc,
         {InstructionList::Drawing, 1},
         "da",
         editorOfType(editors, kDrawArc),
         executeDrawArc,
         {"Draws part of the outline of a circle or an ellipse, from a start angle to an end angle in degrees.",
          std::string(kCentreHelp) + kRadiusHelp + "Start, End: the angles in degrees, 0 to 360.\n" + kPenWidthHelp +
              "Colour: the arc's colour.",
          {"100", "100", "50", "50", "0", "90", "2", "Blue"},
          {}}},
        {kDrawRect,
         {InstructionList::Drawing, 8},
         "dre",
         editorOfType(editors, kDrawRect),
         executeDrawRect,
         {"Draws a rectangle, filled or as an outline.",
          std::string("Left, Top: the top left corner.\n"
                      "Right, Bottom: the opposite corner; the width and height unless To X/Y Absolute is ticked.\n") +
              kPenWidthHelp +
              "Colour: the outline's colour. Fill Colour: the inside's colour.\n"
              "Transparent: ticked, only the outline is drawn.\n"
              "To X/Y Absolute: ticked, Right and Bottom are a point of the window.",
          {"50", "50", "100", "60", "1", "White", "Blue", "", ""},
          {}}},
        {kDrawCircle,
         {InstructionList::Drawing, 4},
         "dc",
         editorOfType(editors, kDrawCircle),
         executeDrawCircle,
         {"Draws a circle or an ellipse around a centre point.",
          std::string(kCentreHelp) + kRadiusHelp +
              "Width: the pen width, 1 to 9; 0 draws a filled circle.\n"
              "Colour: the circle's colour.",
          {"300", "200", "40", "40", "0", "Yellow"},
          {}}},
        {kDrawPoint,
         {InstructionList::Drawing, 7},
         "dp",
         editorOfType(editors, kDrawPoint),
         (executeAtPixel<point_block::kColour, plotPoint>),
         {"Colours a single pixel.", "At X, At Y: the pixel.\nColour: its colour.", {"50", "60", "White"}, {}}},
        {kDrawFill,
         {InstructionList::Drawing, 5},
         "di",
         editorOfType(editors, kDrawFill),
         (executeAtPixel<fill_block::kColour, floodFill>),
         {"Fills the area around a point with a colour, up to the edges of a different colour.",
          "At X, At Y: a point inside the area.\nColour: the fill colour.",
          {"150", "100", "Light Blue"},
          {}}},
    };
    return descriptors;
}

} // namespace qel
