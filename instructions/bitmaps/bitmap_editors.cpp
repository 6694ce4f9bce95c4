#include "instructions/bitmaps/bitmap_editors.h"
#include "base/translatable.h"

#include "instructions/bitmaps/bitmap_instructions.h"
#include "program/block_writer.h"
#include "program/instruction_table.h"
#include "values/classify_field.h"
#include "values/editor_fields.h"
#include "values/number_text.h"

#include <array>

namespace qel {

using namespace bitmap_block;

namespace {

using K = BitmapFieldKind;

constexpr std::string_view kBitmapVariable = QT_TRANSLATE_NOOP("qel", "Bitmap &Variable");

constexpr BitmapOperandField kLoadFields[] = {
    {QT_TRANSLATE_NOOP("qel", "Bitmap &File"), kFileName, K::FileName},
    {kBitmapVariable, kBitmap, K::Variable},
    {QT_TRANSLATE_NOOP("qel", "Returned &Width"), kWidthVariable, K::OptionalVariable},
    {QT_TRANSLATE_NOOP("qel", "Returned &Height"), kHeightVariable, K::OptionalVariable},
};
constexpr BitmapOperandField kDrawFields[] = {
    {kBitmapVariable, kBitmap, K::Variable},
    {QT_TRANSLATE_NOOP("qel", "&Top"), kTop, K::Numeric},
    {QT_TRANSLATE_NOOP("qel", "&Left"), kLeft, K::Numeric},
};
constexpr BitmapOperandField kScaledFields[] = {
    {kBitmapVariable, kBitmap, K::Variable},
    {QT_TRANSLATE_NOOP("qel", "&Left"), kLeft, K::Numeric},
    {QT_TRANSLATE_NOOP("qel", "&Top"), kTop, K::Numeric},
    {QT_TRANSLATE_NOOP("qel", "&Width"), kWidth, K::Numeric},
    {QT_TRANSLATE_NOOP("qel", "&Height"), kHeight, K::Numeric},
};
constexpr BitmapOperandField kUnloadFields[] = {{kFileVariableLabel, kBitmap, K::Variable}};

bool accepts(BitmapFieldKind kind, OperandClass given)
{
    switch (kind) {
    case K::Variable: return given == OperandClass::Variable;
    case K::FileName: return given == OperandClass::Variable || given == OperandClass::String;
    case K::OptionalVariable: return given == OperandClass::Variable || given == OperandClass::Empty;
    case K::Numeric:
        return given == OperandClass::Variable || given == OperandClass::Integer || given == OperandClass::Floating;
    }
    return false;
}

std::string_view refusal(BitmapFieldKind kind)
{
    switch (kind) {
    case K::Variable: return kVariableRequired;
    case K::FileName: return kVariableOrStringLiteralRequired;
    case K::OptionalVariable: return kNumericVariableOrNothingRequired;
    case K::Numeric: return kNumericExpressionRequired;
    }
    return kVariableRequired;
}

} // namespace

std::vector<FieldSpec> BitmapInstructionEditor::fields() const
{
    std::vector<FieldSpec> specs;
    for (const BitmapOperandField& f : form_.fields)
        if (f.kind == K::FileName)
            specs.push_back({std::string(f.label), FieldKind::FileName, {}, 0, kPickString, false, kBitmapFileFilter});
        else
            specs.push_back({std::string(f.label), FieldKind::Variable, {}, 0});
    return specs;
}

std::vector<std::string> BitmapInstructionEditor::decode(const ProgramLine& line) const
{
    std::vector<std::string> values;
    for (const BitmapOperandField& f : form_.fields) {
        const Operand operand = readOperand(line.block, f.slot);
        values.push_back(f.kind == K::OptionalVariable ? formatOptionalReference(operand) : operandFieldText(operand));
    }
    return values;
}

EditOutcome BitmapInstructionEditor::accept(const std::vector<std::string>& values, EditContext&) const
{
    BlockWriter w(form_.fixedBody);
    std::string text(form_.keyword);
    for (size_t k = 0; k < form_.fields.size(); ++k) {
        const BitmapOperandField& f = form_.fields[k];
        ClassifiedField field = classifyField(k < values.size() ? values[k] : std::string());
        if (!accepts(f.kind, field.kind))
            return fieldError(static_cast<int>(k), refusal(f.kind));
        writeOperand(w, f.slot, field);
        text += k == 0 ? " " : ", ";
        if (field.kind != OperandClass::Empty)
            text += formatReference(asOperand(field), kGeneralPrecision);
    }
    return {std::nullopt, {form_.type, std::move(text), w.finish()}};
}

std::vector<const InstructionEditor*> bitmapEditors()
{
    static const std::array<BitmapInstructionEditor, 4> editors = {
        BitmapInstructionEditor(
            {kBitmapLoad, "BitmapLoad", QT_TRANSLATE_NOOP("qel", "Load A Bitmap File"), kLoadBody, kLoadFields}),
        BitmapInstructionEditor(
            {kDrawBitmap, "DrawBitmap", QT_TRANSLATE_NOOP("qel", "Draw A Bitmap"), kDrawBody, kDrawFields}),
        BitmapInstructionEditor({kDrawBitmapScaled, "DrawBitmapScaled",
                                 QT_TRANSLATE_NOOP("qel", "Draw A Scaled Bitmap "), kScaledBody, kScaledFields}),
        BitmapInstructionEditor(
            {kBitmapUnload, "BitmapUnLoad", QT_TRANSLATE_NOOP("qel", "Unload A Bitmap"), kUnloadBody, kUnloadFields}),
    };
    return editorList(editors);
}

} // namespace qel
