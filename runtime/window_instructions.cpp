#include "runtime/window_instructions.h"

#include "interpreter/interpreter.h"
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

std::vector<std::string> colourItems()
{
    std::vector<std::string> items;
    for (const ColourName& c : colourList())
        items.emplace_back(c.name);
    return items;
}

Outcome executeWindowClear(Interpreter& in, uint32_t s)
{
    DrawTarget* target = in.drawTarget;
    if (!target)
        return Outcome::Next; // no window to draw on
    const uint32_t colour = in.blockAt(in.cursor(s)).u32(kColour);
    target->painter().fillRect(QRect(QPoint(0, 0), target->clientSize()),
                               QColor::fromRgb(target->state().colour(colour)));
    return Outcome::Next;
}

// The variable a size goes into: declared and numeric.
bool sizeVariable(Interpreter& in, CachedOperand& op, std::string_view undeclared)
{
    VariableRecord* v = nullptr;
    int kind = operandKind(in.eval, op, &v);
    if (kind == kKindUndeclared || kind == kKindNumberLiteral || kind == kKindStringLiteral)
        return in.eval.runError(undeclared, op.operand.name);
    if (!v->isNumeric())
        return in.eval.runError("Expecting numeric variable but found non numeric variable - ", op.operand.name);
    return true;
}

Outcome executeWindowGetSize(Interpreter& in, uint32_t s)
{
    auto ops = in.operandsAt(in.cursor(s));
    if (!sizeVariable(in, ops[0], "Reference to undeclared variable - ") ||
        !sizeVariable(in, ops[1], "Expecting numeric variable but found undeclared variable - "))
        return Outcome::Fail;
    const QSize size = in.drawTarget ? in.drawTarget->clientSize() : QSize(0, 0);
    if (!storeNumber(in.eval, static_cast<float>(size.width()), ops[0]) ||
        !storeNumber(in.eval, static_cast<float>(size.height()), ops[1]))
        return Outcome::Fail;
    return Outcome::Next;
}

// The window's show state changes and the repaint that follows (with the Paint section) happens
// before the next line.
Outcome setMaximised(Interpreter& in, bool maximised)
{
    if (in.host.setWindowMaximised(maximised))
        return Outcome::Next;
    return in.windowsCallFailed("Can't set windowplacement. WinMax");
}

Outcome executeWindowMaximise(Interpreter& in, uint32_t) { return setMaximised(in, true); }
Outcome executeWindowRestore(Interpreter& in, uint32_t) { return setMaximised(in, false); }

} // namespace

uint32_t WindowClearEditor::type() const { return kWindowClear; }

std::vector<FieldSpec> WindowClearEditor::fields() const { return {{"&Colour", FieldKind::List, colourItems(), 0}}; }

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
    return {{"&Width", FieldKind::Variable, {}, 0}, {"&Height", FieldKind::Variable, {}, 0}};
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

void registerWindowHandlers(DispatchTable& table)
{
    table.set(kWindowClear, executeWindowClear);
    table.set(kWindowGetSize, executeWindowGetSize);
    table.set(kWindowMaximise, executeWindowMaximise);
    table.set(kWindowRestore, executeWindowRestore);
}

} // namespace qel
