// OpenForm: the modal User Form built from four arrays, one row a control. Control Types(k) chooses
// the control (0 a drop-down list, 1 an edit box, 2 a read-only one, 3 one for a number; 99 ends the
// form), Default Values(k, ...) its starting values, Prompts(k) its prompt; Results(k) receives the
// answer.

#include "instructions/forms/form_instructions.h"
#include "interpreter/line_context.h"
#include "values/evaluate.h"
#include "values/literals.h"

namespace qel {

using namespace form_block;

namespace {

constexpr int32_t kMaxRows = 10;
constexpr float kEndOfForm = 99.0f;

struct Arrays {
    VariableRecord* types = nullptr;
    VariableRecord* defaults = nullptr;
    VariableRecord* prompts = nullptr;
    VariableRecord* results = nullptr;
};

Result<VariableRecord*> declared(EvalContext& ctx, CachedOperand& op)
{
    VariableRecord* v = nullptr;
    if (operandKind(ctx, op, &v) == kKindUndeclared || !v)
        return runError(msg::kUndeclaredReference, op.operand.name);
    return v;
}

// A String array of one dimension holding one element a row.
Result<VariableRecord*> rowTexts(EvalContext& ctx, CachedOperand& op, int32_t rows)
{
    VariableRecord* v = TRY(declared(ctx, op));
    if (v->type != kTypeString)
        return runError(msg::kExpectingStringFoundVariable, op.operand.name);
    if (v->arrayKind != kArray1D)
        return runError(form_msg::kNot1D, op.operand.name);
    if (v->dim1 != rows)
        return runError(form_msg::kDifferingSizes, op.operand.name);
    return v;
}

Result<Arrays> checkArrays(EvalContext& ctx, std::span<CachedOperand> ops)
{
    Arrays a;
    CachedOperand& typesOp = ops[slotIndex(kTypes)];
    a.types = TRY(declared(ctx, typesOp));
    if (!a.types->isNumeric())
        return runError(msg::kExpectingNumericFoundVariable, typesOp.operand.name);
    if (a.types->arrayKind != kArray1D)
        return runError(form_msg::kNot1D, typesOp.operand.name);
    if (a.types->dim1 > kMaxRows)
        return runError(form_msg::kTooManyControls, typesOp.operand.name);
    const int32_t rows = a.types->dim1;

    CachedOperand& defaultsOp = ops[slotIndex(kDefaults)];
    a.defaults = TRY(declared(ctx, defaultsOp));
    if (a.defaults->type != kTypeString)
        return runError(msg::kExpectingStringFoundVariable, defaultsOp.operand.name);
    if (a.defaults->arrayKind != kArray2D)
        return runError(form_msg::kNot2D, defaultsOp.operand.name);
    if (a.defaults->dim1 != rows)
        return runError(form_msg::kDifferingSizes, defaultsOp.operand.name);
    a.prompts = TRY(rowTexts(ctx, ops[slotIndex(kPrompts)], rows));
    a.results = TRY(rowTexts(ctx, ops[slotIndex(kResults)], rows));
    return a;
}

// The rows up to the first Control Types element of 99.
Result<std::vector<UserFormRow>> buildRows(const Arrays& a)
{
    std::vector<UserFormRow> rows;
    for (int32_t k = 1; k <= a.types->dim1; ++k) {
        const float type = a.types->numberAt(elementIndex(*a.types, k));
        if (type == kEndOfForm)
            break;
        UserFormRow row;
        row.prompt = a.prompts->textAt(elementIndex(*a.prompts, k));
        const auto defaultAt = [&](int32_t j) {
            return std::string(a.defaults->textAt(elementIndex(*a.defaults, k, j)));
        };
        if (type == 0.0f) {
            row.kind = UserFormRow::Kind::List;
            for (int32_t j = 1; j <= a.defaults->dim2 && !defaultAt(j).empty(); ++j)
                row.items.push_back(defaultAt(j));
        } else if (type == 1.0f || type == 2.0f || type == 3.0f) {
            row.kind = type == 1.0f   ? UserFormRow::Kind::Edit
                       : type == 2.0f ? UserFormRow::Kind::ReadOnly
                                      : UserFormRow::Kind::Number;
            row.items.push_back(defaultAt(1));
        } else {
            return runError(form_msg::kUnrecognisedControlType);
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

bool isNumber(std::string_view text)
{
    text = trimBlanks(text);
    return isIntegerLiteral(text) || isFloatingLiteral(text);
}

} // namespace

LineResult executeOpenForm(LineContext& line)
{
    const Arrays arrays = TRY(checkArrays(line.eval(), line.operands()));
    UserForm form;
    form.rows = TRY(buildRows(arrays));
    RunHost& host = line.host();
    VariableRecord& results = *arrays.results;
    const auto store = [&](size_t row, std::string text) {
        results.texts[elementIndex(results, static_cast<int32_t>(row + 1))] = {std::move(text), true};
    };
    form.ok = [&](const std::vector<std::string>& texts) {
        for (size_t k = 0; k < form.rows.size() && k < texts.size(); ++k)
            store(k, texts[k]);
        // A number row that holds something else keeps the form open; its text is stored already.
        for (size_t k = 0; k < form.rows.size() && k < texts.size(); ++k)
            if (form.rows[k].kind == UserFormRow::Kind::Number && !texts[k].empty() && !isNumber(texts[k])) {
                host.showMessage(form.rows[k].prompt + std::string(form_msg::kExpectingNumber), Icon::Exclamation);
                return false;
            }
        return true;
    };
    form.cancel = [&] {
        if (host.showMessage(form_msg::kConfirmCancel, Icon::Question, Buttons::YesNo) != Button::Yes)
            return false;
        for (size_t k = 0; k < form.rows.size(); ++k)
            store(k, {});
        return true;
    };
    host.showUserForm(form);
    return Flow::Next;
}

} // namespace qel
