// OpenForm2, CloseForm2 and Form2Exchange: forms opened from form files, found by their caption in
// the run's table of open forms.

#include "forms/form_table.h"
#include "forms/object_names.h"
#include "instructions/forms/form_instructions.h"
#include "interpreter/file_names.h"
#include "interpreter/line_context.h"
#include "values/evaluate.h"

namespace qel {

using namespace form_block;

namespace {

// Form2Exchange's Variable/Value as a text: a String, Integer or Floating Point variable, or a
// constant (Set only). A view, valid until the next evaluation: a long text is not copied.
Result<std::string_view> exchangeValue(EvalContext& ctx, CachedOperand& op, bool set)
{
    if (!op.operand.isVariable()) {
        if (!set)
            return runError(form_msg::kNoReceiver);
        return TRY(evalString(ctx, op));
    }
    const int kind = operandKind(ctx, op);
    if (kind == kKindUndeclared)
        return runError(msg::kUndeclaredReference, op.operand.name);
    if (kind != kTypeString && kind != kTypeInteger && kind != kTypeFloat)
        return runError(form_msg::kNotNumericOrString, op.operand.name);
    const Result<std::string_view> text = evalString(ctx, op);
    if (!text)
        return runError(msg::kCannotEvaluateAsString, op.operand.name);
    return *text;
}

// A word stored as a variable reference (Action, Form Object ...): its name, or nothing.
std::optional<std::string_view> word(const CachedOperand& op)
{
    if (!op.operand.isVariable())
        return std::nullopt;
    return op.operand.name;
}

Failure statusError(PropertyStatus status, std::string_view object, std::string_view property)
{
    switch (status) {
    case PropertyStatus::NoObject: return runError(form_msg::kObjectNotFound, object);
    case PropertyStatus::NoProperty: return runError(form_msg::kPropertyNotFound, property);
    case PropertyStatus::ReadOnly: return runError(form_msg::kReadOnly);
    case PropertyStatus::OutOfMemory: return runError(msg::kOutOfMemory);
    case PropertyStatus::Unacceptable:
    case PropertyStatus::Ok: break;
    }
    return runError(form_msg::kUnacceptableValue);
}

// Stores a property's value into the Get variable: a text only into a String, a number into any.
Status storeProperty(EvalContext& ctx, CachedOperand& op, const PropertyValue& value, std::string_view property)
{
    const int kind = operandKind(ctx, op);
    if (kind != kTypeString && !value.isNumber)
        return runError(form_msg::kTextIntoNumber, property);
    const Status stored = kind == kTypeString ? storeText(ctx, value.text, {}, {}, op)
                                              : storeNumber(ctx, static_cast<float>(value.number), op);
    if (!stored)
        return runError(form_msg::kSaveFailed, property);
    return success();
}

} // namespace

LineResult executeOpenForm2(LineContext& line)
{
    const std::string name = TRY(evalFileName(line.eval(), line.operands()[slotIndex(kFormName)]));
    FormTable* forms = line.host().forms();
    if (!forms)
        return runError(form_msg::kWindowFailed);
    switch (forms->open(line.resolvePath(name), line.programFolder(), &line.eval().memory)) {
    case FormTable::OpenResult::Opened: return Flow::Next;
    case FormTable::OpenResult::OutOfMemory: return runError(msg::kOutOfMemory);
    case FormTable::OpenResult::NoSlot: return runError(form_msg::kTooManyForms);
    case FormTable::OpenResult::NoWindow: return runError(form_msg::kWindowFailed);
    case FormTable::OpenResult::NotLoaded: break;
    }
    return runError(form_msg::kDefinitionFailed);
}

LineResult executeCloseForm2(LineContext& line)
{
    const std::string name = TRY(evalFileName(line.eval(), line.operands()[slotIndex(kFormName)]));
    if (FormTable* forms = line.host().forms())
        forms->closeByCaption(name); // closing nothing is no error
    return Flow::Next;
}

LineResult executeForm2Exchange(LineContext& line)
{
    EvalContext& ctx = line.eval();
    auto ops = line.operands();
    const std::string name = TRY(evalFileName(ctx, ops[slotIndex(kFormName)]));
    const std::optional<std::string_view> action = word(ops[slotIndex(kAction)]);
    if (!action)
        return runError(form_msg::kNoAction);
    const bool set = sameTextIgnoringCase(*action, "Set");
    CachedOperand& valueOp = ops[slotIndex(kValue)];
    const std::string_view value = TRY(exchangeValue(ctx, valueOp, set));
    const CachedOperand& objectOp = ops[slotIndex(kObject)];
    const std::optional<std::string_view> object = word(objectOp);
    if (!object)
        return runError(form_msg::kObjectNotAName, objectOp.operand.text);
    const std::optional<std::string_view> property = word(ops[slotIndex(kProperty)]);
    if (!property)
        return runError(form_msg::kNoProperty);
    const std::optional<std::string_view> repaint = word(ops[slotIndex(kRepaint)]);
    if (!repaint)
        return runError(form_msg::kNoRedraw);
    const bool redraw = sameTextIgnoringCase(*repaint, "Yes");

    FormTable* forms = line.host().forms();
    const std::shared_ptr<RunForm> form = forms ? forms->find(name) : nullptr;
    if (!form)
        return runError(form_msg::kFormNotFound, name);
    const std::optional<PropertyId> id = lookupProperty(*property);
    if (!id)
        return runError(form_msg::kUnknownProperty, *property);
    const std::string objectName(*object), propertyName(*property);
    if (set) {
        const PropertyStatus status = form->setProperty(objectName, *id, value, redraw);
        if (status != PropertyStatus::Ok)
            return statusError(status, objectName, propertyName);
        return Flow::Next;
    }
    const PropertyReply reply = form->getProperty(objectName, *id);
    if (reply.status != PropertyStatus::Ok)
        return statusError(reply.status, objectName, propertyName);
    TRY(storeProperty(ctx, valueOp, reply.value, propertyName));
    return Flow::Next;
}

} // namespace qel
