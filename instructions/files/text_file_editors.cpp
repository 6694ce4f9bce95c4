#include "base/translatable.h"
#include "instructions/files/text_file_instructions.h"

#include "program/block_writer.h"
#include "program/instruction_table.h"
#include "values/classify_field.h"
#include "values/editor_fields.h"

namespace qel {

using namespace text_file_block;
namespace fields = text_file_fields;

namespace {

std::string fieldValue(const std::vector<std::string>& values, int k)
{
    return k < static_cast<int>(values.size()) ? values[static_cast<size_t>(k)] : std::string();
}

std::string shown(const ClassifiedField& f) { return operandFieldText(asOperand(f)); }

FieldSpec fileVariableField() { return {std::string(kFileVariableLabel), FieldKind::Variable, {}, 0, kPickFile}; }

// The options of TextFileWrite in the order the line shows them, with their flags and fields.
struct WriteOption {
    std::string_view word;
    uint32_t flag;
    int field;
};
constexpr WriteOption kWriteOptions[] = {
    {",Quotes", kQuotesFlag, fields::kQuotes},
    {",Comma", kCommaFlag, fields::kComma},
    {",NewLine", kNewLineFlag, fields::kNewLine},
};

} // namespace

uint32_t TextFileReadEditor::type() const { return kTextFileRead; }

std::vector<FieldSpec> TextFileReadEditor::fields() const
{
    return {fileVariableField(),
            {QT_TRANSLATE_NOOP("qel", "&Read Into String Variable"), FieldKind::Variable, {}, 0, kPickString},
            {QT_TRANSLATE_NOOP("qel", "&Split Line On Commas"), FieldKind::Check, {}, 0},
            {QT_TRANSLATE_NOOP("qel", "Field &Count Variable"), FieldKind::Variable, {}, 0, kPickNumeric}};
}

std::vector<std::string> TextFileReadEditor::decode(const ProgramLine& line) const
{
    const ParamBlock& b = line.block;
    const bool split = b.u8(kSplit) == 1;
    return {operandFieldText(readOperand(b, kFile)), operandFieldText(readOperand(b, kString)), split ? "1" : "",
            split ? operandFieldText(readOperand(b, kCount)) : std::string()};
}

EditOutcome TextFileReadEditor::accept(const std::vector<std::string>& values, EditContext&) const
{
    const ClassifiedField file = classifyField(fieldValue(values, fields::kFile));
    if (file.kind != OperandClass::Variable)
        return fieldError(fields::kFile, kFileVariableRequired);
    const ClassifiedField text = classifyField(fieldValue(values, fields::kString));
    if (text.kind != OperandClass::Variable)
        return fieldError(fields::kString, kVariableRequired);
    const bool split = isSet(fieldValue(values, fields::kSplit));
    ClassifiedField count;
    if (split) {
        count = classifyField(fieldValue(values, fields::kCount));
        if (count.kind != OperandClass::Variable)
            return fieldError(fields::kCount, kVariableRequired);
    }
    BlockWriter w(kReadBody);
    writeOperand(w, kFile, file);
    writeOperand(w, kString, text);
    writeOperand(w, kCount, count);
    w.setU8(kSplit, split ? 1 : 0);
    if (!w.fits())
        return fieldError(fields::kString, kLineTooLong);
    std::string line = "TextFileRead " + shown(file) + ", " + shown(text);
    if (split)
        line += ", Parsed, " + shown(count);
    return {std::nullopt, {kTextFileRead, std::move(line), w.finish()}};
}

uint32_t TextFileWriteEditor::type() const { return kTextFileWrite; }

std::vector<FieldSpec> TextFileWriteEditor::fields() const
{
    return {fileVariableField(),
            {QT_TRANSLATE_NOOP("qel", "Write V&alue"), FieldKind::Variable, {}, 0},
            {QT_TRANSLATE_NOOP("qel", "Write A &Comma Afterwards"), FieldKind::Check, {}, 0},
            {QT_TRANSLATE_NOOP("qel", "Add &Quotes Around"), FieldKind::Check, {}, 0},
            {QT_TRANSLATE_NOOP("qel", "Add A &NewLine"), FieldKind::Check, {}, 0}};
}

std::vector<std::string> TextFileWriteEditor::decode(const ProgramLine& line) const
{
    const ParamBlock& b = line.block;
    const uint32_t flags = b.u32(kFlags);
    std::vector<std::string> values = {operandFieldText(readOperand(b, kFile)),
                                       operandFieldText(readOperand(b, kValue)), "", "", ""};
    for (const WriteOption& option : kWriteOptions)
        values[static_cast<size_t>(option.field)] = (flags & option.flag) ? "1" : "";
    return values;
}

EditOutcome TextFileWriteEditor::accept(const std::vector<std::string>& values, EditContext&) const
{
    const ClassifiedField file = classifyField(fieldValue(values, fields::kFile));
    if (file.kind != OperandClass::Variable)
        return fieldError(fields::kFile, kFileVariableRequired);
    const ClassifiedField value = classifyField(fieldValue(values, fields::kValue));
    if (value.kind == OperandClass::Empty)
        return fieldError(fields::kValue, kEntryRequired);
    if (value.kind == OperandClass::Invalid)
        return fieldError(fields::kValue, kInvalidExpression);
    uint32_t flags = 0;
    std::string line = "TextFileWrite " + shown(file) + ", " + shown(value);
    for (const WriteOption& option : kWriteOptions)
        if (isSet(fieldValue(values, option.field))) {
            flags |= option.flag;
            line += option.word;
        }
    BlockWriter w(kWriteBody);
    writeOperand(w, kFile, file);
    writeOperand(w, kValue, value);
    w.setU32(kFlags, flags);
    if (!w.fits())
        return fieldError(fields::kValue, kLineTooLong);
    return {std::nullopt, {kTextFileWrite, std::move(line), w.finish()}};
}

uint32_t TextFileCloseEditor::type() const { return kTextFileClose; }

std::vector<FieldSpec> TextFileCloseEditor::fields() const { return {fileVariableField()}; }

std::vector<std::string> TextFileCloseEditor::decode(const ProgramLine& line) const
{
    return {operandFieldText(readOperand(line.block, kFile))};
}

EditOutcome TextFileCloseEditor::accept(const std::vector<std::string>& values, EditContext&) const
{
    const ClassifiedField file = classifyField(fieldValue(values, fields::kFile));
    if (file.kind != OperandClass::Variable)
        return fieldError(fields::kFile, kVariableRequired);
    BlockWriter w(kCloseBody);
    writeOperand(w, kFile, file);
    return {std::nullopt, {kTextFileClose, "TextFileClose " + shown(file), w.finish()}};
}

} // namespace qel
