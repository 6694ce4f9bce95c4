#include "instructions/window/window_instructions.h"
#include "base/translatable.h"

#include "instructions/families.h"
#include "interpreter/line_context.h"
#include "messages/run_errors.h"
#include "program/block_writer.h"
#include "runtime/draw_target.h"
#include "values/classify_field.h"
#include "values/colours.h"
#include "values/editor_fields.h"
#include "values/evaluate.h"
#include "values/variable_table.h"

namespace qel {

using namespace window_block;

namespace {

LineResult executeWindowClear(LineContext& line)
{
    DrawTarget* target = line.drawTarget();
    if (!target)
        return Flow::Next; // no window to draw on
    const uint32_t colour = line.block().u32(kColour);
    // The window's client area, also on a printed page.
    target->painter().fillRect(QRect(QPoint(0, 0), target->windowSize()),
                               QColor::fromRgb(target->state().colour(colour)));
    return Flow::Next;
}

// The variable a size goes into: declared and numeric.
Status sizeVariable(EvalContext& ctx, CachedOperand& op, std::string_view undeclared)
{
    VariableRecord* v = nullptr;
    const int kind = operandKind(ctx, op, &v);
    if (kind == kKindUndeclared || kind == kKindNumberLiteral || kind == kKindStringLiteral)
        return runError(undeclared, op.operand.name);
    if (!v->isNumeric())
        return runError(msg::kExpectingNumericVariable, op.operand.name);
    return success();
}

LineResult executeWindowGetSize(LineContext& line)
{
    EvalContext& ctx = line.eval();
    auto ops = line.operands();
    TRY(sizeVariable(ctx, ops[0], msg::kUndeclaredReference));
    TRY(sizeVariable(ctx, ops[1], "Expecting numeric variable but found undeclared variable - "));
    const QSize size = line.drawTarget() ? line.drawTarget()->clientSize() : QSize(0, 0);
    TRY(storeNumber(ctx, static_cast<float>(size.width()), ops[0]));
    TRY(storeNumber(ctx, static_cast<float>(size.height()), ops[1]));
    return Flow::Next;
}

// The window's show state changes and the repaint that follows (with the Paint section) happens
// before the next line.
LineResult setMaximised(LineContext& line, bool maximised)
{
    if (line.host().setWindowMaximised(maximised))
        return Flow::Next;
    return line.windowsCallFailed("Can't set windowplacement. WinMax");
}

LineResult executeWindowMaximise(LineContext& line) { return setMaximised(line, true); }
LineResult executeWindowRestore(LineContext& line) { return setMaximised(line, false); }

const WindowClearEditor kWindowClearEditor;
const WindowGetSizeEditor kWindowGetSizeEditor;

} // namespace

uint32_t WindowClearEditor::type() const { return kWindowClear; }

std::vector<FieldSpec> WindowClearEditor::fields() const
{
    return {{QT_TRANSLATE_NOOP("qel", "&Colour"), FieldKind::List, colourItems(), 0}};
}

std::vector<std::string> WindowClearEditor::decode(const ProgramLine& line) const
{
    return {std::string(colourName(line.block.u32(kColour)))};
}

EditOutcome WindowClearEditor::accept(const std::vector<std::string>& values, EditContext&) const
{
    std::string_view name =
        values.empty() || values[0].empty() ? colourList().front().name : std::string_view(values[0]);
    std::optional<uint32_t> colour = colourNumber(name);
    if (!colour)
        return fieldError(0, kNotAListItem);
    BlockWriter w(kClearBody);
    w.setU32(kColour, *colour);
    return {std::nullopt, {kWindowClear, "WindowClear \"" + std::string(name) + "\"", w.finish()}};
}

uint32_t WindowGetSizeEditor::type() const { return kWindowGetSize; }

std::vector<FieldSpec> WindowGetSizeEditor::fields() const
{
    return {{QT_TRANSLATE_NOOP("qel", "&Width"), FieldKind::Variable, {}, 0},
            {QT_TRANSLATE_NOOP("qel", "&Height"), FieldKind::Variable, {}, 0}};
}

std::vector<std::string> WindowGetSizeEditor::decode(const ProgramLine& line) const
{
    return {operandFieldText(readOperand(line.block, kWidth)), operandFieldText(readOperand(line.block, kHeight))};
}

EditOutcome WindowGetSizeEditor::accept(const std::vector<std::string>& values, EditContext&) const
{
    ClassifiedField fields[2];
    for (int k = 0; k < 2; ++k) {
        fields[k] = classifyField(k < static_cast<int>(values.size()) ? values[k] : std::string());
        if (fields[k].kind != OperandClass::Variable)
            return fieldError(k, kVariableRequired);
    }
    BlockWriter w(kSizeBody);
    writeOperand(w, kWidth, fields[0]);
    writeOperand(w, kHeight, fields[1]);
    ParamBlock block = w.finish();
    std::string text = "WindowGetSize " + operandFieldText(readOperand(block, kWidth)) + ", " +
                       operandFieldText(readOperand(block, kHeight));
    return {std::nullopt, {kWindowGetSize, std::move(text), std::move(block)}};
}

Family windowFamily()
{
    static const InstructionDescriptor descriptors[] = {
        {kWindowClear,
         {InstructionList::Window, 3},
         {},
         &kWindowClearEditor,
         executeWindowClear,
         {"Clears the whole run-time window to one colour.",
          "Colour: the colour the window is filled with.",
          {"Black"},
          {}}},
        {kWindowGetSize,
         {InstructionList::Window, 4},
         {},
         &kWindowGetSizeEditor,
         executeWindowGetSize,
         {"Stores the width and height of the inside of the run-time window, in pixels.",
          "Width, Height: numeric variables that receive the size.",
          {"Width", "Height"},
          {}}},
        {kWindowMaximise,
         {InstructionList::Window, 1},
         {},
         nullptr,
         executeWindowMaximise,
         {"Makes the run-time window as large as it can be; the Paint section runs for the new size.", {}, {}, {}}},
        {kWindowRestore,
         {InstructionList::Window, 2},
         {},
         nullptr,
         executeWindowRestore,
         {"Gives the run-time window its normal size back; the Paint section runs for the new size.", {}, {}, {}}},
    };
    return descriptors;
}

} // namespace qel
