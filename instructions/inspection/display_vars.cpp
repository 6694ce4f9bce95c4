#include "instructions/inspection/display_vars.h"
#include "base/translatable.h"

#include "interpreter/line_context.h"
#include "messages/editor_messages.h"
#include "messages/run_errors.h"
#include "program/block_writer.h"
#include "program/instruction_table.h"
#include "values/editor_fields.h"
#include "values/evaluate.h"
#include "values/variable_table.h"

#include <array>
#include <charconv>

namespace qel {

using namespace display_vars;

namespace {

constexpr size_t kListTitleField = 2 * kColumns;
constexpr size_t variableField(size_t k) { return 2 * k; }
constexpr size_t titleField(size_t k) { return 2 * k + 1; }

// The rows a flag string's DRC item allows; nothing when it has none.
Result<std::optional<long>> rowLimit(std::string_view flags)
{
    std::optional<long> limit;
    while (!flags.empty()) {
        const size_t end = flags.find(';');
        const std::string_view item = flags.substr(0, end);
        flags = end == std::string_view::npos ? std::string_view() : flags.substr(end + 1);
        const size_t equals = item.find('=');
        if (equals == std::string_view::npos || item.substr(0, equals) != "DRC")
            continue;
        const std::string_view value = item.substr(equals + 1);
        long count = 0;
        std::from_chars(value.data(), value.data() + value.size(), count);
        if (count < 0)
            return runError(kNegativeRowCount);
        limit = count;
    }
    return limit;
}

// A title operand's text: a string constant, or a String variable's text.
Result<std::string> titleText(EvalContext& ctx, CachedOperand& op)
{
    if (op.operand.isVariable()) {
        VariableRecord* v = nullptr;
        if (operandKind(ctx, op, &v) == kKindUndeclared || !v || v->type != kTypeString)
            return runError(msg::kUndeclaredReference, op.operand.name);
    }
    return std::string(TRY(evalString(ctx, op)));
}

// One column: the variable it shows, checked as the window needs it.
struct Column {
    VariableRecord* variable;
    CachedOperand* operand;
};

Result<Column> column(EvalContext& ctx, CachedOperand& op, const VariableRecord* first)
{
    VariableRecord* v = nullptr;
    if (operandKind(ctx, op, &v) == kKindUndeclared || !v)
        return runError(msg::kUndeclaredReference, op.operand.name);
    if (v->type != kTypeString && !v->isNumeric())
        return runError(kListVariableType, op.operand.name);
    if (v->arrayKind != kArray1D)
        return runError(kListOneDimension, op.operand.name);
    if (first && v->elementCount() != first->elementCount())
        return runError(kListSameCount, op.operand.name);
    return Column{v, &op};
}

std::string cellText(EvalContext& ctx, const VariableRecord& v, size_t index)
{
    if (v.type == kTypeString)
        return std::string(v.textAt(index));
    return std::string(ctx.formatNumber(v.numberAt(index)));
}

// Builds the table; a failure leaves what was built so far in `table` (the window already shows it).
Status buildTable(LineContext& line, VariableListTable& table)
{
    EvalContext& ctx = line.eval();
    auto ops = line.operands();
    CachedOperand& title = ops[kListTitleSlot];
    table.title =
        title.operand.hasName || title.operand.hasText ? TRY(titleText(ctx, title)) : std::string(kDefaultListTitle);
    size_t firstColumn = 0;
    long rowLimitCount = 999999;
    if (ops[variableSlot(0)].operand.name == kFlagStringName) {
        Result<std::string_view> flags = evalString(ctx, ops[variableSlot(1)]);
        if (!flags)
            return runError(kNoFlagString);
        if (const std::optional<long> limit = TRY(rowLimit(*flags)))
            rowLimitCount = *limit;
        firstColumn = 2;
    }
    std::vector<Column> columns;
    for (size_t k = firstColumn; k < kColumns; ++k) {
        CachedOperand& op = ops[variableSlot(k)];
        if (!op.operand.hasName)
            continue;
        columns.push_back(TRY(column(ctx, op, columns.empty() ? nullptr : columns.front().variable)));
        CachedOperand& columnTitle = ops[titleSlot(k)];
        const bool titled = columnTitle.operand.hasName || columnTitle.operand.hasText;
        table.columns.push_back(titled ? TRY(titleText(ctx, columnTitle)) : std::string(op.operand.name));
    }
    const size_t count = columns.empty() ? 0 : columns.front().variable->elementCount();
    const size_t rows = std::min(count, static_cast<size_t>(rowLimitCount));
    table.rows.reserve(rows);
    for (size_t r = 0; r < rows; ++r) {
        std::vector<std::string> cells;
        cells.reserve(columns.size() + 1);
        cells.push_back(std::to_string(r + 1));
        for (const Column& c : columns)
            cells.push_back(cellText(ctx, *c.variable, r));
        table.rows.push_back(std::move(cells));
    }
    return success();
}

bool isOptionalVariable(const ClassifiedField& f)
{
    return f.kind == OperandClass::Variable || f.kind == OperandClass::Empty;
}
// Each column's two labels, written out for translation.
constexpr std::array<const char*, kColumns> kVariableLabels = {
    QT_TRANSLATE_NOOP("qel", "Variable &1"), QT_TRANSLATE_NOOP("qel", "Variable &2"),
    QT_TRANSLATE_NOOP("qel", "Variable &3"), QT_TRANSLATE_NOOP("qel", "Variable &4"),
    QT_TRANSLATE_NOOP("qel", "Variable &5"), QT_TRANSLATE_NOOP("qel", "Variable &6"),
};
constexpr std::array<const char*, kColumns> kTitleLabels = {
    QT_TRANSLATE_NOOP("qel", "Title 1"), QT_TRANSLATE_NOOP("qel", "Title 2"), QT_TRANSLATE_NOOP("qel", "Title 3"),
    QT_TRANSLATE_NOOP("qel", "Title 4"), QT_TRANSLATE_NOOP("qel", "Title 5"), QT_TRANSLATE_NOOP("qel", "Title 6"),
};

bool isOptionalString(const ClassifiedField& f) { return isStringSource(f) || f.kind == OperandClass::Empty; }

} // namespace

LineResult executeDisplayVars(LineContext& line)
{
    VariableListTable table;
    const Status built = buildTable(line, table);
    line.host().showVariableList(table); // a failure leaves the window partly filled, as it stands
    if (!built)
        return Failure(built.failureText());
    return Flow::Next;
}

uint32_t DisplayVarsEditor::type() const { return kDisplayVarsInListCtrl; }

std::vector<FieldSpec> DisplayVarsEditor::fields() const
{
    std::vector<FieldSpec> specs;
    specs.reserve(2 * kColumns + 1);
    for (size_t k = 0; k < kColumns; ++k) {
        specs.push_back({kVariableLabels[k], FieldKind::Variable, {}, 0});
        specs.push_back({kTitleLabels[k], FieldKind::Variable, {}, 0, kPickString});
    }
    specs.push_back({QT_TRANSLATE_NOOP("qel", "&List Title"), FieldKind::Variable, {}, 0, kPickString});
    return specs;
}

std::vector<std::string> DisplayVarsEditor::decode(const ProgramLine& line) const
{
    std::vector<std::string> values(2 * kColumns + 1);
    for (size_t k = 0; k < kColumns; ++k) {
        // Each of them may be left empty, which is stored as no name and no text.
        values[variableField(k)] = formatOptionalReference(readOperand(line.block, variable(k)));
        values[titleField(k)] = formatOptionalReference(readOperand(line.block, columnTitle(k)));
    }
    values[kListTitleField] = formatOptionalReference(readOperand(line.block, kListTitle));
    return values;
}

EditOutcome DisplayVarsEditor::accept(const std::vector<std::string>& values, EditContext&) const
{
    BlockWriter w(kFixedBody);
    std::string text = "DisplayVarsInListCtrl";
    bool firstColumn = true;
    for (size_t k = 0; k < kColumns; ++k) {
        const ClassifiedField v = classifyField(fieldValue(values, variableField(k)));
        if (!isOptionalVariable(v))
            return fieldError(static_cast<int>(variableField(k)), kVariableRequired);
        const ClassifiedField t = classifyField(fieldValue(values, titleField(k)));
        if (!isOptionalString(t))
            return fieldError(static_cast<int>(titleField(k)), kStringExpressionRequired);
        writeOperand(w, variable(k), v);
        writeOperand(w, columnTitle(k), t);
        if (v.kind == OperandClass::Empty)
            continue;
        text += (firstColumn ? " " : ", ") + displayText(v);
        if (t.kind != OperandClass::Empty)
            text += " (" + displayText(t) + ")";
        firstColumn = false;
    }
    const ClassifiedField listTitle = classifyField(fieldValue(values, kListTitleField));
    if (!isOptionalString(listTitle))
        return fieldError(static_cast<int>(kListTitleField), kStringExpressionRequired);
    writeOperand(w, kListTitle, listTitle);
    if (listTitle.kind != OperandClass::Empty)
        text += " Title " + displayText(listTitle);
    if (!w.fits())
        return fieldError(0, kLineTooLong);
    return {std::nullopt, {kDisplayVarsInListCtrl, std::move(text), w.finish()}};
}

} // namespace qel
