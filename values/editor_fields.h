#pragma once
// Pieces every instruction editor of this layer shares: drop-down lists of fixed items with the
// codes their blocks store, field errors, and operand fields shown again for editing.

#include "messages/editor_messages.h"
#include "values/classify_field.h"
#include "values/editor.h"
#include "values/operand.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace qel {

struct ListItem {
    std::string_view text;
    uint32_t code;
};

std::vector<std::string> listTexts(std::span<const ListItem> items);

// The code of the item a list value names. Blanks around the value and the items do not count, so
// " Bit_And " and "Bit_And" name the same item. Nothing when no item matches.
std::optional<uint32_t> itemCode(std::span<const ListItem> items, std::string_view value);
// The same for a list that opens with its first item chosen: an empty value names the first item.
std::optional<uint32_t> itemCodeOrFirst(std::span<const ListItem> items, std::string_view value);
// The text of the item with that code; empty when there is none.
std::string itemText(std::span<const ListItem> items, uint32_t code);

EditOutcome fieldError(int field, std::string_view message, std::vector<std::string> arguments = {});

// Field k's value, or "" when the dialog gave fewer fields.
inline std::string fieldValue(const std::vector<std::string>& values, size_t k)
{
    return k < values.size() ? values[k] : std::string();
}

// A field shown in a line's text: a variable reference, a string in quotes, or a number.
std::string displayText(const ClassifiedField& field);

// A field a text may come from: a String variable or a string constant.
bool isStringSource(const ClassifiedField& field);

// The text that, typed into an operand field, encodes this operand again: a variable reference
// with its subscripts, a string literal in quotes, or a number written so that it reads back as
// exactly the same float (a whole number in plain digits).
std::string operandFieldText(const Operand& operand);

} // namespace qel
