#include "instructions/text/text_instructions.h"

#include "instructions/families.h"
#include "instructions/text/text_editors.h"
#include "interpreter/line_context.h"
#include "messages/run_errors.h"
#include "program/instruction_table.h"
#include "runtime/draw_target.h"
#include "runtime/latin1.h"
#include "values/evaluate.h"

#include <QFontMetrics>
#include <QString>

#include <algorithm>
#include <cmath>

namespace qel {

using namespace text_block;

namespace {

// DrawText's operands in block order.
constexpr size_t kTopSlot = 0, kBottomSlot = 1, kLeftSlot = 2, kRightSlot = 3, kTextSlot = 4;

LineResult executeTextFont(LineContext& line)
{
    DrawTarget* target = line.drawTarget();
    if (!target)
        return Flow::Next;
    const ParamBlock& block = line.block();
    // On a page the font is made for the page's resolution and lasts as long as the print job.
    target->text().font =
        makeTextFont(block.textField(kFace), block.u32(kPointSize), block.u32(kStyle), target->image().logicalDpiY());
    return Flow::Next;
}

// While printing only the page's colours change; the window keeps its own.
LineResult setTextColour(LineContext& line, QRgb TextAttributes::*field)
{
    if (DrawTarget* target = line.drawTarget())
        target->text().*field = target->state().colour(line.block().u32(kSetting));
    return Flow::Next;
}

LineResult executeTextForeColour(LineContext& line) { return setTextColour(line, &TextAttributes::colour); }
LineResult executeTextBackColour(LineContext& line) { return setTextColour(line, &TextAttributes::background); }

LineResult executeFPDispDigits(LineContext& line)
{
    line.eval().displayPrecision = line.block().u32(kSetting);
    return Flow::Next;
}

LineResult executeColourRemap(LineContext& line)
{
    static constexpr std::string_view kLabels[] = {"Red value", "Green value", "Blue value"};
    EvalContext& ctx = line.eval();
    auto ops = line.operands();
    int rgb[3] = {};
    for (size_t k = 0; k < 3; ++k) {
        const float value = TRY(evalNumber(ctx, ops[k]));
        TRY(checkRange(ctx, value, 0.0f, 255.0f, kLabels[k]));
        rgb[k] = static_cast<int>(value);
    }
    const uint32_t number = line.block().u32(kRemapColour);
    if (line.drawTarget() && number < kColourCount) // a number no list offers has no entry to replace
        line.drawTarget()->state().colours[number] = qRgb(rgb[0], rgb[1], rgb[2]);
    return Flow::Next;
}

bool isNumericVariable(EvalContext& ctx, CachedOperand& op)
{
    VariableRecord* v = nullptr;
    const int kind = operandKind(ctx, op, &v);
    return kind < kKindUndeclared && v && v->isNumeric();
}

// The text to draw: a text as it stands, a number as FormatNumber shows it.
Result<std::string_view> drawTextValue(EvalContext& ctx, CachedOperand& op)
{
    if (op.operand.isNumberLiteral())
        return ctx.formatNumber(op.operand.number);
    return evalString(ctx, op); // a numeric variable comes back formatted
}

struct TextBox {
    int top = 0, left = 0, right = 0, bottom = 0;
};

Result<TextBox> readTextBox(EvalContext& ctx, std::span<CachedOperand> ops)
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
    TextBox box;
    for (const Coordinate& c : kOrder) {
        const float value = TRY(evalNumber(ctx, ops[c.slot]));
        TRY(checkRange(ctx, value, 0.0f, 10000.0f, c.label));
        box.*c.field = static_cast<int>(value);
    }
    return box;
}

LineResult executeDrawText(LineContext& line)
{
    EvalContext& ctx = line.eval();
    const uint8_t flags = line.block().u8(kFlags);
    int alignment = Qt::AlignHCenter;
    if (flags & kAlignLeft)
        alignment = Qt::AlignLeft;
    else if (flags & kAlignRight)
        alignment = Qt::AlignRight;
    const bool measuring = !(flags & (kAlignLeft | kAlignRight)) && (flags & kGetSize);

    auto ops = line.operands();
    const TextBox box = TRY(readTextBox(ctx, ops));
    if (measuring) {
        if (!isNumericVariable(ctx, ops[kBottomSlot]))
            return runError(kBottomNotNumericVariable);
        if (!isNumericVariable(ctx, ops[kRightSlot]))
            return runError(kRightNotNumericVariable);
    } else {
        if (box.top >= box.bottom)
            return runError(kBottomNotBelowTop);
        if (box.right <= box.left)
            return runError(kRightNotBeyondLeft);
    }
    const std::string_view text = TRY(drawTextValue(ctx, ops[kTextSlot]));
    DrawTarget* target = line.drawTarget();
    if (!target)
        return Flow::Next;

    target->prepareForText();
    applyTextAttributes(*target);
    QPainter& painter = target->painter();
    if (measuring) {
        // Lines break only at line ends; the widest line gives the right edge.
        QRect r = painter.fontMetrics().boundingRect(QRect(box.left, box.top, 0, 0), Qt::AlignLeft | Qt::AlignTop,
                                                     toQString(text));
        TRY(storeNumber(ctx, static_cast<float>(r.y() + r.height()), ops[kBottomSlot]));
        TRY(storeNumber(ctx, static_cast<float>(r.x() + r.width()), ops[kRightSlot]));
        return Flow::Next;
    }
    painter.setBackgroundMode((flags & kTransparent) ? Qt::TransparentMode : Qt::OpaqueMode);
    painter.drawText(QRect(box.left, box.top, box.right - box.left, box.bottom - box.top),
                     alignment | Qt::AlignTop | Qt::TextWordWrap, toQString(text));
    painter.setBackgroundMode(Qt::TransparentMode);
    return Flow::Next;
}

const std::vector<const InstructionEditor*>& editors()
{
    static const std::vector<const InstructionEditor*> list = textEditors();
    return list;
}

} // namespace

Family textFamily()
{
    static const InstructionDescriptor descriptors[] = {
        {kDrawText,
         {InstructionList::Drawing, 9},
         "dt",
         editorOfType(editors(), kDrawText),
         executeDrawText,
         {"Writes a text or a number in a rectangle of the window, in the font and colours set by TextFont, "
          "TextForeColour and TextBackColour.",
          "Left, Top, Right, Bottom: the rectangle the text is written in.\n"
          "Text: a string in double quotes, a variable, or a number.\n"
          "Left, Centre, Right: how the text lines up in the rectangle. Get Size: writes nothing and stores "
          "the size the text would take into Right and Bottom.\n"
          "Opaque Background, Transparent: whether the text's background colour is painted behind it.",
          {"10", "10", "300", "40", "\"Hello, world\"", "1", "", "", "", "", "1"},
          {}}},
        {kTextBackColour,
         {InstructionList::Drawing, 10, true},
         "tbc",
         editorOfType(editors(), kTextBackColour),
         executeTextBackColour,
         {"Sets the colour behind the text that DrawText writes from now on.",
          "Colour: the background colour.",
          {"Black"},
          {}}},
        {kTextForeColour,
         {InstructionList::Drawing, 11},
         "tfc",
         editorOfType(editors(), kTextForeColour),
         executeTextForeColour,
         {"Sets the colour of the text that DrawText writes from now on.", "Colour: the text colour.", {"Yellow"}, {}}},
        {kTextFont,
         {InstructionList::Drawing, 12},
         "tfo",
         editorOfType(editors(), kTextFont),
         executeTextFont,
         {"Sets the font of the text that DrawText writes from now on.",
          "TypeFace: the font's name.\nTypeSize: its size in points.\nBold, Italic, Underline: the font's style.",
          {"Arial", "12", "1"},
          {}}},
        {kFPDispDigits,
         {InstructionList::Drawing, 14},
         {},
         editorOfType(editors(), kFPDispDigits),
         executeFPDispDigits,
         {"Sets how many decimals Floating Point numbers show when they are written as text, for example by "
          "DrawText.",
          "Display Precision: 0, 2, 3, 4 or 6 decimals, or E for the exponent form.",
          {"2"},
          {}}},
        {kColourRemap,
         {InstructionList::Drawing, 13, true},
         {},
         editorOfType(editors(), kColourRemap),
         executeColourRemap,
         {"Changes what one of the sixteen colours looks like, for everything drawn afterwards.",
          "Colour: the colour to change.\nRed, Green, Blue: its new mix, each 0 to 255.",
          {"Grey", "128", "64", "0"},
          {}}},
    };
    return descriptors;
}

} // namespace qel
