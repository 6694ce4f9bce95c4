#include "instructions/functions/call_editors.h"
#include "base/translatable.h"

#include "instructions/functions/declare_function.h"
#include "program/block_writer.h"
#include "program/instruction_table.h"
#include "values/classify_field.h"
#include "values/editor_fields.h"
#include "values/literals.h"
#include "values/names.h"
#include "values/number_text.h"
#include "values/operand.h"

#include <optional>

namespace qel {

using namespace call_fields;

namespace {

std::string shown(const ClassifiedField& field) { return displayText(field); }

// What Call and CallUsing share: the function's name (or prefix), the arguments and the variable
// that receives the result.
struct CallFields {
    std::string name;
    ClassifiedField returnInto;
    ClassifiedField arguments[3];
};

// The function's name, or CallUsing's prefix, which must itself be a name.
std::optional<FieldError> checkName(const std::vector<std::string>& values, int field, std::string& name)
{
    name = std::string(trimBlanks(fieldValue(values, static_cast<size_t>(field))));
    if (!isName(name))
        return FieldError{field, {kFunctionNameRequired, {}}};
    return std::nullopt;
}

// Return Into and the three arguments, in the dialog's order.
std::optional<FieldError> checkResultAndArguments(const std::vector<std::string>& values, int intoField,
                                                  int firstArgument, CallFields& call)
{
    call.returnInto = classifyField(fieldValue(values, static_cast<size_t>(intoField)));
    if (call.returnInto.kind != OperandClass::Variable && call.returnInto.kind != OperandClass::Empty)
        return FieldError{intoField, {kVariableOrNothing, {}}};
    for (int k = 0; k < 3; ++k) {
        call.arguments[k] = classifyField(fieldValue(values, firstArgument + k));
        if (call.arguments[k].kind == OperandClass::Invalid)
            return FieldError{firstArgument + k, {kInvalidExpression, {}}};
    }
    return std::nullopt;
}

// Writes the shared words and returns the display text's tail: " (A, 5) Into R".
std::string writeCallFields(BlockWriter& w, const CallFields& call, uint32_t extraMaskBits)
{
    writeOperand(w, call_block::kName, classifyField(call.name));
    uint32_t mask = extraMaskBits;
    int lastGiven = -1;
    for (int k = 0; k < 3; ++k) {
        writeOperand(w, call_block::kArgument[k], call.arguments[k]);
        if (call.arguments[k].kind != OperandClass::Empty) {
            mask |= 1u << k;
            lastGiven = k;
        }
    }
    writeOperand(w, call_block::kReturnInto, call.returnInto);
    w.setU32(call_block::kMask, mask);

    std::string tail;
    for (int k = 0; k <= lastGiven; ++k) {
        tail += k == 0 ? " (" : ", ";
        if (call.arguments[k].kind != OperandClass::Empty)
            tail += shown(call.arguments[k]);
    }
    if (lastGiven >= 0)
        tail += ")";
    if (call.returnInto.kind == OperandClass::Variable)
        tail += " Into " + shown(call.returnInto);
    return tail;
}

EditOutcome built(const BlockWriter& w, uint32_t type, std::string text, int longestField)
{
    if (!w.fits() || text.size() > kMaxLineText)
        return fieldError(longestField, kLineTooLong);
    return {std::nullopt, {type, std::move(text), w.finish()}};
}

// Long string literals in all three arguments, with long names, can outgrow a line's block: the
// longest argument is the one to shorten.
int longestArgumentField(const std::vector<std::string>& values, int firstArgument)
{
    int longest = firstArgument;
    for (int k = 1; k < 3; ++k)
        if (fieldValue(values, firstArgument + k).size() > fieldValue(values, longest).size())
            longest = firstArgument + k;
    return longest;
}

void decodeCallFields(const ParamBlock& b, int nameField, int intoField, int firstArgument,
                      std::vector<std::string>& values)
{
    values[nameField] = std::string(b.textField(call_block::kName));
    values[intoField] = formatOptionalReference(readOperand(b, call_block::kReturnInto));
    const uint32_t mask = b.u32(call_block::kMask);
    for (int k = 0; k < 3; ++k)
        if (mask & (1u << k))
            values[firstArgument + k] = operandFieldText(readOperand(b, call_block::kArgument[k]));
}

std::vector<FieldSpec> parameterSpecs()
{
    return {
        {std::string(kParameterLabels[0]), FieldKind::Variable, {}, 0},
        {std::string(kParameterLabels[1]), FieldKind::Variable, {}, 0},
        {std::string(kParameterLabels[2]), FieldKind::Variable, {}, 0},
    };
}

} // namespace

uint32_t CallEditor::type() const { return kCall; }

std::vector<FieldSpec> CallEditor::fields() const
{
    std::vector<FieldSpec> specs = {
        {std::string(kFunctionNameLabel), FieldKind::Function, {}, static_cast<int>(kMaxNameLength)},
        {std::string(kReturnIntoLabel), FieldKind::Variable, {}, 0},
    };
    for (FieldSpec& p : parameterSpecs())
        specs.push_back(std::move(p));
    return specs;
}

std::vector<std::string> CallEditor::decode(const ProgramLine& line) const
{
    std::vector<std::string> values(kCallCount);
    decodeCallFields(line.block, kName, kReturnInto, kParameter1, values);
    return values;
}

EditOutcome CallEditor::accept(const std::vector<std::string>& values, EditContext&) const
{
    CallFields call;
    if (auto error = checkName(values, kName, call.name))
        return {error, {}};
    if (auto error = checkResultAndArguments(values, kReturnInto, kParameter1, call))
        return {error, {}};
    BlockWriter w(call_block::kCallFixedBody);
    std::string text = "Call " + call.name + writeCallFields(w, call, 0);
    return built(w, kCall, std::move(text), longestArgumentField(values, kParameter1));
}

uint32_t CallUsingEditor::type() const { return kCallUsing; }

std::vector<FieldSpec> CallUsingEditor::fields() const
{
    std::vector<FieldSpec> specs = {
        {QT_TRANSLATE_NOOP("qel", "Function &Prefix"), FieldKind::Text, {}, static_cast<int>(kMaxNameLength)},
        {QT_TRANSLATE_NOOP("qel", "Control &Variable"), FieldKind::Variable, {}, 0},
        {QT_TRANSLATE_NOOP("qel", "Allow &Missing Target"), FieldKind::Check, {}, 0},
        {std::string(kReturnIntoLabel), FieldKind::Variable, {}, 0},
    };
    for (FieldSpec& p : parameterSpecs())
        specs.push_back(std::move(p));
    return specs;
}

std::vector<std::string> CallUsingEditor::decode(const ProgramLine& line) const
{
    std::vector<std::string> values(kCallUsingCount);
    decodeCallFields(line.block, kPrefix, kUsingReturnInto, kUsingParameter1, values);
    values[kControl] = formatReference(readOperand(line.block, call_block::kControlVariable), kGeneralPrecision);
    values[kAllowMissing] = (line.block.u32(call_block::kMask) & call_block::kAllowMissingTarget) ? "1" : "";
    return values;
}

EditOutcome CallUsingEditor::accept(const std::vector<std::string>& values, EditContext&) const
{
    CallFields call;
    if (auto error = checkName(values, kPrefix, call.name))
        return {error, {}};
    // The control variable's type is known only when the line runs.
    ClassifiedField control = classifyField(fieldValue(values, kControl));
    if (control.kind != OperandClass::Variable)
        return fieldError(kControl, kNumericOrStringVariable);
    const bool allowMissing = isSet(fieldValue(values, kAllowMissing));
    if (auto error = checkResultAndArguments(values, kUsingReturnInto, kUsingParameter1, call))
        return {error, {}};

    BlockWriter w(call_block::kCallUsingFixedBody);
    std::string tail = writeCallFields(w, call, allowMissing ? call_block::kAllowMissingTarget : 0);
    writeOperand(w, call_block::kControlVariable, control);
    std::string text = "CallUsing " + call.name + " + " + shown(control) + tail;
    if (allowMissing)
        text += " Allowing Missing Target";
    return built(w, kCallUsing, std::move(text), longestArgumentField(values, kUsingParameter1));
}

uint32_t ReturnEditor::type() const { return kReturn; }

std::vector<FieldSpec> ReturnEditor::fields() const
{
    return {{QT_TRANSLATE_NOOP("qel", "&Value"), FieldKind::Variable, {}, 0}};
}

std::vector<std::string> ReturnEditor::decode(const ProgramLine& line) const
{
    if (line.block.u32(return_block::kValueGiven) == 0)
        return {""};
    return {operandFieldText(readOperand(line.block, return_block::kValue))};
}

EditOutcome ReturnEditor::accept(const std::vector<std::string>& values, EditContext&) const
{
    ClassifiedField value = classifyField(fieldValue(values, 0));
    if (value.kind == OperandClass::Invalid)
        return fieldError(0, kReturnInvalidExpression);
    BlockWriter w(return_block::kFixedBody);
    writeOperand(w, return_block::kValue, value);
    if (value.kind == OperandClass::Empty)
        return {std::nullopt, {kReturn, "Return", w.finish()}};
    w.setU32(return_block::kValueGiven, 1);
    return {std::nullopt, {kReturn, "Return (" + shown(value) + ")", w.finish()}};
}

} // namespace qel
