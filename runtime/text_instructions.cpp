#include "runtime/text_instructions.h"

#include "interpreter/interpreter.h"
#include "program/instruction_table.h"
#include "runtime/draw_target.h"
#include "values/evaluate.h"

#include <QFontMetrics>
#include <QString>

#include <algorithm>
#include <cmath>

namespace qel {

using namespace text_block;

namespace {

// Beyond this em height a font only exhausts the glyph cache; no window shows it.
constexpr long kMaxFontPixels = 2000;

// DrawText's operands in block order.
constexpr size_t kTopSlot = 0, kBottomSlot = 1, kLeftSlot = 2, kRightSlot = 3, kTextSlot = 4;

QString latin1(std::string_view text) { return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())); }

Outcome executeTextFont(Interpreter& in, uint32_t s)
{
    DrawTarget* target = in.drawTarget;
    if (!target)
        return Outcome::Next;
    const ParamBlock& block = in.blockAt(in.cursor(s));
    target->state().font =
        makeTextFont(block.textField(kFace), block.u32(kPointSize), block.u32(kStyle), target->image().logicalDpiY());
    return Outcome::Next;
}

Outcome setTextColour(Interpreter& in, uint32_t s, QRgb DrawState::*field)
{
    if (DrawTarget* target = in.drawTarget) {
        DrawState& state = target->state();
        state.*field = state.colour(in.blockAt(in.cursor(s)).u32(kSetting));
    }
    return Outcome::Next;
}

Outcome executeTextForeColour(Interpreter& in, uint32_t s) { return setTextColour(in, s, &DrawState::textColour); }
Outcome executeTextBackColour(Interpreter& in, uint32_t s) { return setTextColour(in, s, &DrawState::textBackground); }

Outcome executeFPDispDigits(Interpreter& in, uint32_t s)
{
    in.eval.displayPrecision = in.blockAt(in.cursor(s)).u32(kSetting);
    return Outcome::Next;
}

Outcome executeColourRemap(Interpreter& in, uint32_t s)
{
    static constexpr std::string_view kLabels[] = {"Red value", "Green value", "Blue value"};
    auto ops = in.operandsAt(in.cursor(s));
    int rgb[3] = {};
    for (size_t k = 0; k < 3; ++k) {
        float value = 0.0f;
        if (!evalNumber(in.eval, ops[k], value) || !checkRange(in.eval, value, 0.0f, 255.0f, kLabels[k]))
            return Outcome::Fail;
        rgb[k] = static_cast<int>(value);
    }
    const uint32_t number = in.blockAt(in.cursor(s)).u32(kRemapColour);
    if (in.drawTarget && number < kColourCount) // a number no list offers has no entry to replace
        in.drawTarget->state().colours[number] = qRgb(rgb[0], rgb[1], rgb[2]);
    return Outcome::Next;
}

bool isNumericVariable(Interpreter& in, CachedOperand& op)
{
    VariableRecord* v = nullptr;
    const int kind = operandKind(in.eval, op, &v);
    return kind < kKindUndeclared && v && v->isNumeric();
}

// The text to draw: a text as it stands, a number as FormatNumber shows it.
bool drawTextValue(Interpreter& in, CachedOperand& op, std::string_view& text)
{
    if (op.operand.isNumberLiteral()) {
        text = in.eval.formatNumber(op.operand.number);
        return true;
    }
    return evalString(in.eval, op, text); // a numeric variable comes back formatted
}

struct TextBox {
    int top = 0, left = 0, right = 0, bottom = 0;
};

bool readTextBox(Interpreter& in, std::span<CachedOperand> ops, TextBox& box)
{
    struct Coordinate {
        size_t slot;
        std::string_view label;
        int TextBox::*field;
    };
    static constexpr Coordinate kOrder[] = {
        {kTopSlot, "Top", &TextBox::top},
        {kLeftSlot, "Left", &TextBox::left},
        {kRightSlot, "Right", &TextBox::right},
        {kBottomSlot, "Bottom", &TextBox::bottom},
    };
    for (const Coordinate& c : kOrder) {
        float value = 0.0f;
        if (!evalNumber(in.eval, ops[c.slot], value) || !checkRange(in.eval, value, 0.0f, 10000.0f, c.label))
            return false;
        box.*c.field = static_cast<int>(value);
    }
    return true;
}

Outcome executeDrawText(Interpreter& in, uint32_t s)
{
    const uint8_t flags = in.blockAt(in.cursor(s)).u8(kFlags);
    int alignment = Qt::AlignHCenter;
    if (flags & kAlignLeft)
        alignment = Qt::AlignLeft;
    else if (flags & kAlignRight)
        alignment = Qt::AlignRight;
    const bool measuring = !(flags & (kAlignLeft | kAlignRight)) && (flags & kGetSize);

    auto ops = in.operandsAt(in.cursor(s));
    TextBox box;
    if (!readTextBox(in, ops, box))
        return Outcome::Fail;
    if (measuring) {
        if (!isNumericVariable(in, ops[kBottomSlot]))
            return in.fail(kBottomNotNumericVariable);
        if (!isNumericVariable(in, ops[kRightSlot]))
            return in.fail(kRightNotNumericVariable);
    } else {
        if (box.top >= box.bottom)
            return in.fail(kBottomNotBelowTop);
        if (box.right <= box.left)
            return in.fail(kRightNotBeyondLeft);
    }
    std::string_view text;
    if (!drawTextValue(in, ops[kTextSlot], text))
        return Outcome::Fail;
    DrawTarget* target = in.drawTarget;
    if (!target)
        return Outcome::Next;

    applyTextAttributes(*target);
    QPainter& painter = target->painter();
    if (measuring) {
        // Lines break only at line ends; the widest line gives the right edge.
        QRect r = painter.fontMetrics().boundingRect(QRect(box.left, box.top, 0, 0), Qt::AlignLeft | Qt::AlignTop,
                                                     latin1(text));
        if (!storeNumber(in.eval, static_cast<float>(r.y() + r.height()), ops[kBottomSlot]) ||
            !storeNumber(in.eval, static_cast<float>(r.x() + r.width()), ops[kRightSlot]))
            return Outcome::Fail;
        return Outcome::Next;
    }
    painter.setBackgroundMode((flags & kTransparent) ? Qt::TransparentMode : Qt::OpaqueMode);
    painter.drawText(QRect(box.left, box.top, box.right - box.left, box.bottom - box.top),
                     alignment | Qt::AlignTop | Qt::TextWordWrap, latin1(text));
    painter.setBackgroundMode(Qt::TransparentMode);
    return Outcome::Next;
}

} // namespace

QFont makeTextFont(std::string_view face, uint32_t pointSize, uint32_t style, int dotsPerInchY)
{
    QFont font(latin1(face));
    const long pixels = std::lround(static_cast<double>(pointSize) * dotsPerInchY / 72.0);
    if (pixels > 0) // a size of 0 keeps the face's default height
        font.setPixelSize(static_cast<int>(std::min(pixels, kMaxFontPixels)));
    font.setWeight((style & kBold) ? QFont::Bold : QFont::Normal);
    font.setItalic((style & kItalic) != 0);
    font.setUnderline((style & kUnderline) != 0);
    return font;
}

void applyTextAttributes(DrawTarget& target)
{
    QPainter& painter = target.painter();
    const DrawState& state = target.state();
    QFont font = state.font ? *state.font : QFont();
    font.setStyleStrategy(QFont::NoAntialias); // glyphs in the text colour only, so pixels are exact
    painter.setFont(font);
    painter.setPen(QColor::fromRgb(state.textColour));
    painter.setBackground(QColor::fromRgb(state.textBackground));
}

void registerTextHandlers(DispatchTable& table)
{
    table.set(kTextFont, executeTextFont);
    table.set(kTextForeColour, executeTextForeColour);
    table.set(kTextBackColour, executeTextBackColour);
    table.set(kFPDispDigits, executeFPDispDigits);
    table.set(kColourRemap, executeColourRemap);
    table.set(kDrawText, executeDrawText);
}

} // namespace qel
