#include "runtime/draw_shapes.h"

#include "interpreter/interpreter.h"
#include "runtime/draw_target.h"
#include "values/evaluate.h"

#include <QPainter>

#include <algorithm>
#include <array>
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

// Evaluates an operand and checks its range; false with the message in the run error text.
bool checked(Interpreter& in, CachedOperand& op, float low, float high, std::string_view label, float& out)
{
    return evalNumber(in.eval, op, out) && checkRange(in.eval, out, low, high, label);
}

bool coordinate(Interpreter& in, CachedOperand& op, std::string_view label, float& out)
{
    return checked(in, op, 0.0f, kMaxCoordinate, label, out);
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

bool corners(Interpreter& in, const CornerOperands& ops, bool absolute, Corners& out)
{
    float width = 0, x = 0, y = 0, otherX = 0, otherY = 0;
    if (!checked(in, ops.width, 1.0f, 9.0f, kPenWidth, width) || !coordinate(in, ops.x, ops.labels[0], x) ||
        !coordinate(in, ops.y, ops.labels[1], y) || !evalNumber(in.eval, ops.otherX, otherX) ||
        !evalNumber(in.eval, ops.otherY, otherY))
        return false;
    if (!absolute) {
        otherX += x;
        otherY += y;
    }
    if (!checkRange(in.eval, otherX, 0.0f, kMaxCoordinate, ops.labels[2]) ||
        !checkRange(in.eval, otherY, 0.0f, kMaxCoordinate, ops.labels[3]))
        return false;
    out = {pixels(width), QPoint(pixels(x), pixels(y)), QPoint(pixels(otherX), pixels(otherY))};
    return true;
}

Outcome executeDrawLine(Interpreter& in, uint32_t s)
{
    using namespace line_block;
    const LineCursor& at = in.cursor(s);
    const ParamBlock& block = in.blockAt(at);
    auto ops = in.operandsAt(at);
    // The width slot lies outside the line's reference slots, so it is decoded here.
    CachedOperand widthOperand{readOperand(block, kWidth), {}};
    Corners line;
    if (!corners(in,
                 {widthOperand,
                  ops[slotIndex(kFromX)],
                  ops[slotIndex(kFromY)],
                  ops[slotIndex(kToX)],
                  ops[slotIndex(kToY)],
                  {kFromXLabel, kFromYLabel, kToXLabel, kToYLabel}},
                 block.u32(kAbsolute) != 0, line))
        return Outcome::Fail;
    DrawTarget* target = in.drawTarget;
    if (!target)
        return Outcome::Next;
    const QColor colour = colourOf(*target, block, kColour);
    QPainter& p = target->painter();
    p.save();
    p.setPen(QPen(colour, line.width, Qt::SolidLine, Qt::FlatCap, Qt::BevelJoin));
    p.drawLine(line.first, line.second);
    p.fillRect(QRect(line.second, QSize(1, 1)), colour); // the end point is always drawn, as one pixel
    p.restore();
    return Outcome::Next;
}

Outcome executeDrawRect(Interpreter& in, uint32_t s)
{
    using namespace rect_block;
    const LineCursor& at = in.cursor(s);
    const ParamBlock& block = in.blockAt(at);
    auto ops = in.operandsAt(at);
    Corners box;
    if (!corners(in,
                 {ops[slotIndex(kWidth)],
                  ops[slotIndex(kLeft)],
                  ops[slotIndex(kTop)],
                  ops[slotIndex(kRight)],
                  ops[slotIndex(kBottom)],
                  {kLeftLabel, kTopLabel, kRightLabel, kBottomLabel}},
                 block.u32(kAbsolute) != 0, box))
        return Outcome::Fail;
    DrawTarget* target = in.drawTarget;
    if (!target)
        return Outcome::Next;
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
    return Outcome::Next;
}

Outcome executeDrawCircle(Interpreter& in, uint32_t s)
{
    using namespace circle_block;
    const LineCursor& at = in.cursor(s);
    const ParamBlock& block = in.blockAt(at);
    auto ops = in.operandsAt(at);
    float width = 0, cx = 0, cy = 0, rx = 0, ry = 0;
    if (!checked(in, ops[slotIndex(kWidth)], 0.0f, 9.0f, kPenWidth, width) ||
        !coordinate(in, ops[slotIndex(kCentreX)], kCentreXLabel, cx) ||
        !coordinate(in, ops[slotIndex(kCentreY)], kCentreYLabel, cy) ||
        !coordinate(in, ops[slotIndex(kRadiusX)], kRadiusXLabel, rx) ||
        !coordinate(in, ops[slotIndex(kRadiusY)], kRadiusYLabel, ry))
        return Outcome::Fail;
    DrawTarget* target = in.drawTarget;
    if (!target)
        return Outcome::Next;
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
    return Outcome::Next;
}

Outcome executeDrawArc(Interpreter& in, uint32_t s)
{
    using namespace arc_block;
    const LineCursor& at = in.cursor(s);
    const ParamBlock& block = in.blockAt(at);
    auto ops = in.operandsAt(at);
    float width = 0, cx = 0, cy = 0, start = 0, end = 0, rx = 0, ry = 0;
    if (!checked(in, ops[slotIndex(kWidth)], 1.0f, 9.0f, kPenWidth, width) ||
        !coordinate(in, ops[slotIndex(kCentreX)], kCentreXLabel, cx) ||
        !coordinate(in, ops[slotIndex(kCentreY)], kCentreYLabel, cy) ||
        !checked(in, ops[slotIndex(kStart)], 0.0f, 360.0f, kStartLabel, start) ||
        !checked(in, ops[slotIndex(kEnd)], 0.0f, 360.0f, kEndLabel, end) ||
        !coordinate(in, ops[slotIndex(kRadiusX)], kRadiusXLabel, rx) ||
        !coordinate(in, ops[slotIndex(kRadiusY)], kRadiusYLabel, ry))
        return Outcome::Fail;
    if (start == end)
        return in.fail(kArcAnglesEqual);
    DrawTarget* target = in.drawTarget;
    if (!target)
        return Outcome::Next;
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
    auto plotAngle = [&](double a) {
        const int px = static_cast<int>(x + radiusX * std::cos(a) + 0.5);
        const int py = static_cast<int>(y - radiusY * std::sin(a) + 0.5);
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
    return Outcome::Next;
}

// A surface fill: every pixel 4-connected to (x, y) with exactly its colour takes the new colour.
// Works span by span on the image's rows.
void floodFill(QImage& image, int x, int y, QRgb colour)
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
    while (!seeds.empty()) {
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
template <uint32_t ColourOffset, void (*Paint)(QImage&, int, int, QRgb)>
Outcome executeAtPixel(Interpreter& in, uint32_t s)
{
    const LineCursor& at = in.cursor(s);
    auto ops = in.operandsAt(at);
    float x = 0, y = 0;
    if (!coordinate(in, ops[slotIndex(point_block::kAtX)], kAtXLabel, x) ||
        !coordinate(in, ops[slotIndex(point_block::kAtY)], kAtYLabel, y))
        return Outcome::Fail;
    if (DrawTarget* target = in.drawTarget) {
        const QRgb colour = target->state().colour(in.blockAt(at).u32(ColourOffset)) | 0xFF000000u;
        target->end();
        Paint(target->image(), pixels(x), pixels(y), colour);
    }
    return Outcome::Next;
}

} // namespace

void registerShapeHandlers(DispatchTable& table)
{
    table.set(kDrawLine, executeDrawLine);
    table.set(kDrawRect, executeDrawRect);
    table.set(kDrawCircle, executeDrawCircle);
    table.set(kDrawArc, executeDrawArc);
    table.set(kDrawPoint, executeAtPixel<point_block::kColour, plot>);
    table.set(kDrawFill, executeAtPixel<fill_block::kColour, floodFill>);
}

} // namespace qel
