#include "instructions/drawing/draw_shape_editors.h"
#include "base/translatable.h"

#include "instructions/drawing/draw_shapes.h"
#include "program/block_writer.h"
#include "program/instruction_table.h"
#include "values/classify_field.h"
#include "values/colours.h"
#include "values/editor_fields.h"
#include "values/number_text.h"

#include <array>

namespace qel {

namespace {

using Kind = ShapeControlKind;

constexpr std::string_view kAbsoluteLabel = QT_TRANSLATE_NOOP("qel", "To X/Y &Absolute");

constexpr ShapeOperandField kLineOperands[] = {
    {QT_TRANSLATE_NOOP("qel", "&From X"), line_block::kFromX, kFloatInvalidFrom},
    {QT_TRANSLATE_NOOP("qel", "Fro&m Y"), line_block::kFromY, kFloatInvalidFrom},
    {QT_TRANSLATE_NOOP("qel", "&To X"), line_block::kToX, kFloatInvalidTo},
    {QT_TRANSLATE_NOOP("qel", "T&o Y"), line_block::kToY, kFloatInvalidTo},
    {QT_TRANSLATE_NOOP("qel", "&Width"), line_block::kWidth, kFloatInvalidTo, true},
};
constexpr ShapeControl kLineControls[] = {
    {Kind::Colour, QT_TRANSLATE_NOOP("qel", "&Colour"), line_block::kColour},
    {Kind::Check, kAbsoluteLabel, line_block::kAbsolute, "Absolute"},
};

constexpr ShapeOperandField kRectOperands[] = {
    {QT_TRANSLATE_NOOP("qel", "&Left"), rect_block::kLeft},
    {QT_TRANSLATE_NOOP("qel", "T&op"), rect_block::kTop},
    {QT_TRANSLATE_NOOP("qel", "&Right"), rect_block::kRight},
    {QT_TRANSLATE_NOOP("qel", "&Bottom"), rect_block::kBottom},
    {QT_TRANSLATE_NOOP("qel", "&Width"), rect_block::kWidth},
};
constexpr ShapeControl kRectControls[] = {
    {Kind::Colour, QT_TRANSLATE_NOOP("qel", "&Colour"), rect_block::kOutline},
    {Kind::Colour, QT_TRANSLATE_NOOP("qel", "&Fill Colour"), rect_block::kFill},
    {Kind::Check, QT_TRANSLATE_NOOP("qel", "Tra&nsparent"), rect_block::kTransparent, "Transparent"},
    {Kind::Check, kAbsoluteLabel, rect_block::kAbsolute, "Absolute"},
};

constexpr ShapeOperandField kCircleOperands[] = {
    {QT_TRANSLATE_NOOP("qel", "Centre &X"), circle_block::kCentreX},
    {QT_TRANSLATE_NOOP("qel", "Centre &Y"), circle_block::kCentreY},
    {QT_TRANSLATE_NOOP("qel", "&Radius X"), circle_block::kRadiusX},
    {QT_TRANSLATE_NOOP("qel", "R&adius Y"), circle_block::kRadiusY},
    {QT_TRANSLATE_NOOP("qel", "&Width"), circle_block::kWidth},
};
constexpr ShapeControl kCircleControls[] = {{Kind::Colour, QT_TRANSLATE_NOOP("qel", "&Colour"), circle_block::kColour}};

constexpr ShapeOperandField kArcOperands[] = {
    {QT_TRANSLATE_NOOP("qel", "Centre &X"), arc_block::kCentreX},
    {QT_TRANSLATE_NOOP("qel", "Centre &Y"), arc_block::kCentreY},
    {QT_TRANSLATE_NOOP("qel", "&Radius X"), arc_block::kRadiusX},
    {QT_TRANSLATE_NOOP("qel", "R&adius Y"), arc_block::kRadiusY},
    {QT_TRANSLATE_NOOP("qel", "&Start"), arc_block::kStart},
    {QT_TRANSLATE_NOOP("qel", "&End"), arc_block::kEnd},
    {QT_TRANSLATE_NOOP("qel", "&Width"), arc_block::kWidth},
};
constexpr ShapeControl kArcControls[] = {{Kind::Colour, QT_TRANSLATE_NOOP("qel", "&Colour"), arc_block::kColour}};

constexpr ShapeOperandField kPointOperands[] = {{QT_TRANSLATE_NOOP("qel", "At &X"), point_block::kAtX},
                                                {QT_TRANSLATE_NOOP("qel", "At &Y"), point_block::kAtY}};
constexpr ShapeControl kPointControls[] = {{Kind::Colour, QT_TRANSLATE_NOOP("qel", "&Colour"), point_block::kColour}};

constexpr ShapeOperandField kFillOperands[] = {{QT_TRANSLATE_NOOP("qel", "At &X"), fill_block::kAtX},
                                               {QT_TRANSLATE_NOOP("qel", "At &Y"), fill_block::kAtY}};
constexpr ShapeControl kFillControls[] = {{Kind::Colour, QT_TRANSLATE_NOOP("qel", "&Colour"), fill_block::kColour}};

// DrawLine's operand rules: whole-number constants or variables, each failure with its own text.
std::optional<std::string_view> wholeNumberError(const ClassifiedField& field, const ShapeOperandField& spec)
{
    switch (field.kind) {
    case OperandClass::Empty: return kLineExpressionRequired;
    case OperandClass::Invalid: return kInvalidExpression;
    case OperandClass::String: return kStringConstantInvalid;
    case OperandClass::Floating: return spec.floatingMessage;
    case OperandClass::Integer:
        if (spec.penWidth && (field.number < 1.0f || field.number > 9.0f))
            return kLineWidthRange;
        return std::nullopt;
    case OperandClass::Variable: return std::nullopt;
    }
    return kInvalidExpression;
}

std::optional<std::string_view> numericError(const ClassifiedField& field)
{
    const bool ok = field.kind == OperandClass::Integer || field.kind == OperandClass::Floating ||
                    field.kind == OperandClass::Variable;
    return ok ? std::nullopt : std::optional(kNumericExpressionRequired);
}

} // namespace

std::vector<FieldSpec> ShapeEditor::fields() const
{
    std::vector<FieldSpec> specs;
    for (const ShapeOperandField& f : form_.operands)
        specs.push_back({std::string(f.label), FieldKind::Variable, {}, 0});
    for (const ShapeControl& c : form_.controls) {
        if (c.kind == Kind::Colour)
            specs.push_back({std::string(c.label), FieldKind::List, colourItems(), 0});
        else
            specs.push_back({std::string(c.label), FieldKind::Check, {}, 0});
    }
    return specs;
}

std::vector<std::string> ShapeEditor::decode(const ProgramLine& line) const
{
    std::vector<std::string> values;
    for (const ShapeOperandField& f : form_.operands)
        values.push_back(operandFieldText(readOperand(line.block, f.slot)));
    for (const ShapeControl& c : form_.controls) {
        const uint32_t word = line.block.u32(c.offset);
        if (c.kind == Kind::Colour)
            values.emplace_back(colourName(word));
        else
            values.emplace_back(word != 0 ? "1" : "");
    }
    return values;
}

EditOutcome ShapeEditor::accept(const std::vector<std::string>& values, EditContext&) const
{
    auto value = [&](size_t k) { return k < values.size() ? std::string_view(values[k]) : std::string_view(); };
    BlockWriter w(form_.fixedBody);
    std::string text(instructionInfo(form_.type)->keyword);
    size_t k = 0;
    for (const ShapeOperandField& f : form_.operands) {
        ClassifiedField field = classifyField(value(k));
        auto error = form_.wholeNumbers ? wholeNumberError(field, f) : numericError(field);
        if (error)
            return fieldError(static_cast<int>(k), *error);
        writeOperand(w, f.slot, field);
        text += (k == 0 ? " " : ",") + formatReference(asOperand(field), kGeneralPrecision);
        ++k;
    }
    std::string options;
    for (const ShapeControl& c : form_.controls) {
        if (c.kind == Kind::Colour) {
            const std::string_view name = value(k).empty() ? colourList().front().name : value(k);
            std::optional<uint32_t> colour = colourNumber(name);
            if (!colour)
                return fieldError(static_cast<int>(k), kNotAListItem);
            w.setU32(c.offset, *colour);
            text += ",\"" + std::string(name) + "\"";
        } else if (isSet(value(k))) {
            w.setU32(c.offset, 1);
            options += "," + std::string(c.lineOption);
        }
        ++k;
    }
    return {std::nullopt, {form_.type, text + options, w.finish()}};
}

std::vector<const InstructionEditor*> shapeEditors()
{
    static const std::array<ShapeEditor, 6> editors = {
        ShapeEditor({kDrawLine, QT_TRANSLATE_NOOP("qel", "Draw A Line"), line_block::kFixedBody, true, kLineOperands,
                     kLineControls}),
        ShapeEditor({kDrawRect, QT_TRANSLATE_NOOP("qel", "Draw A Rectangle"), rect_block::kFixedBody, false,
                     kRectOperands, kRectControls}),
        ShapeEditor({kDrawCircle, QT_TRANSLATE_NOOP("qel", "Draw A Circle"), circle_block::kFixedBody, false,
                     kCircleOperands, kCircleControls}),
        ShapeEditor({kDrawArc, QT_TRANSLATE_NOOP("qel", "Draw An Arc"), arc_block::kFixedBody, false, kArcOperands,
                     kArcControls}),
        ShapeEditor({kDrawPoint, QT_TRANSLATE_NOOP("qel", "Draw A Point"), point_block::kFixedBody, false,
                     kPointOperands, kPointControls}),
        ShapeEditor({kDrawFill, QT_TRANSLATE_NOOP("qel", "Fill An Area"), fill_block::kFixedBody, false, kFillOperands,
                     kFillControls}),
    };
    return editorList(editors);
}

} // namespace qel
