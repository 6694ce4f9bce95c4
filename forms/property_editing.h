#pragma once
// What the designer's properties window and Tab Order dialog decide without a window: the text a row
// shows, storing a row's text into an object, the renaming rule, and the tab order list.

#include "forms/form_object.h"
#include "forms/property_rows.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qel {

inline constexpr std::string_view kNameAlreadyUsed = "The new name is already used by an object";

// The text a row shows for an object: colours as "red,green,blue", numbers in decimal, texts as
// they are.
std::string rowText(const FormObject& object, const PropertyRow& row);

// Stores a row's text into objects[index] as the designer does: colours read from "red,green,blue",
// numbers as decimal integers (the row's range already checked), the name, grid and choices as
// given. Sizes and positions go through the run-time rules, so the form grows to hold its objects;
// a combo box's width2 follows its width. Nothing changes unless the status is Ok.
PropertyStatus storeRowText(FormObjects& objects, size_t index, PropertyId id, std::string_view text);

// The refusal of a new name for objects[index]: another object has it (letter case ignored). A name
// that differs from the old one only in letter case is always accepted.
std::optional<std::string_view> renameRefusal(const FormObjects& objects, size_t index, std::string_view name);

// One line of the Tab Order dialog.
struct TabOrderRow {
    int tabOrder = 0;  // 0 when outside 0 to 9999
    std::string name;  // the object's name
    size_t object = 0; // its index in the form, which is also its control identifier
};

// Every control (buttons, edit boxes, checkboxes, combo boxes and the reserved codes 9 and 12) in
// object order, then sorted by tab order (controls of equal tab order keep their order).
std::vector<TabOrderRow> tabOrderRows(const FormObjects& objects);

// Moves rows[at] one place up (toward the front) or down; false when it is already at that end.
bool moveTabOrderRow(std::vector<TabOrderRow>& rows, size_t at, bool up);

} // namespace qel
