#include "values/editor_fields.h"

#include "values/literals.h"
#include "values/number_text.h"

#include <cmath>

namespace qel {

std::vector<std::string> listTexts(std::span<const ListItem> items)
{
    std::vector<std::string> texts;
    for (const ListItem& item : items)
        texts.emplace_back(item.text);
    return texts;
}

std::optional<uint32_t> itemCode(std::span<const ListItem> items, std::string_view value)
{
    const std::string_view wanted = trimBlanks(value);
    for (const ListItem& item : items)
        if (trimBlanks(item.text) == wanted)
            return item.code;
    return std::nullopt;
}

std::optional<uint32_t> itemCodeOrFirst(std::span<const ListItem> items, std::string_view value)
{
    if (trimBlanks(value).empty() && !items.empty())
        return items.front().code;
    return itemCode(items, value);
}

std::string itemText(std::span<const ListItem> items, uint32_t code)
{
    for (const ListItem& item : items)
        if (item.code == code)
            return std::string(item.text);
    return {};
}

EditOutcome fieldError(int field, std::string_view message, std::vector<std::string> arguments)
{
    EditOutcome outcome;
    outcome.error = FieldError{field, {message, std::move(arguments)}, Icon::Exclamation};
    return outcome;
}

std::string operandFieldText(const Operand& operand)
{
    if (!operand.isNumberLiteral())
        return formatReference(operand, kGeneralPrecision);
    // Whole numbers as they are typed: 10000000, not 1e+07.
    const float value = operand.number;
    if (std::trunc(value) == value && std::fabs(value) <= 2147483648.0f)
        return std::to_string(static_cast<int64_t>(value));
    return floatingLiteralText(value);
}

std::string displayText(const ClassifiedField& field) { return formatReference(asOperand(field), kGeneralPrecision); }

bool isStringSource(const ClassifiedField& field)
{
    return field.kind == OperandClass::String || field.kind == OperandClass::Variable;
}

} // namespace qel
