#pragma once
// The properties of form objects as programs name them: 36 ids, a generic name for most, and the
// run-time names of each type ("buttCaption", "txtDefaultValue" ...), misspellings included, as
// stored programs use them. Reading a property, and the rules a new value must pass at run time.

#include "forms/form_object.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qel {

enum class PropertyId : uint8_t {
    ObjectType,
    Width,
    Width2,
    Height,
    Height2,
    OffsetX,
    OffsetY,
    BGColour,
    FGColour,
    BorderColour,
    FillStyle,
    Name,
    GridX,
    GridY,
    ZOrder,
    Visible,
    Locked,
    Caption,
    Caption2,
    TextFontName,
    TextSize,
    TextBold,
    TextAlign,
    BorderStyle,
    Sunken,
    TabOrder,
    V1Style,
    OnClick,
    OnDblClick,
    OnOpen,
    OnClose,
    OnSelected,
    OnChange,
    Value,          // the control's current value
    SelectionValue, // combo box: the text of the selected item
    SelectionData,  // combo box: the hidden value of the selected item
};
inline constexpr int kPropertyCount = 36;

// What getting or setting a property gives; the values are those the form instructions report.
enum class PropertyStatus : int8_t {
    Ok = 0,
    NoObject = -1,     // no object of that name
    NoProperty = -2,   // an id no object has
    Unacceptable = -3, // a value the property refuses, or a property the object's type does not have
    ReadOnly = -5,
    OutOfMemory = -6, // the run's memory budget cannot hold the value
};

// A property's value: numbers as decimal text and as a number, everything else as text.
struct PropertyValue {
    std::string text;
    double number = 0;
    bool isNumber = false;

    static PropertyValue ofText(std::string text) { return {std::move(text), 0, false}; }
    static PropertyValue ofNumber(int64_t n) { return {std::to_string(n), static_cast<double>(n), true}; }
};

// The id a property name stands for. The vocabulary is chosen by the name's prefix ("butt", "frm",
// "rect", "st", "txt", "chk", "cmb", "img", "line" tested in that order, letter case counting), or
// the generic names without one; within it the whole name is compared ignoring case. The id then
// applies to whatever object it is used on, whatever its type.
std::optional<PropertyId> lookupProperty(std::string_view name);

// The run-time property names of a type in id order (the generic names for kNotKnown and codes
// without names of their own).
std::vector<std::string_view> propertyNamesOf(int16_t type);

// Ids 0 to 32 as stored in the object: numbers with their sign (colours unsigned), texts as they are.
PropertyValue storedProperty(const FormObject& object, PropertyId id);

// Applies a new value to a stored property (ids 0 to 32) of objects[index] after the run-time rules:
// texts are trimmed first, numbers read as decimal integers, choices matched ignoring case and stored
// as spelled canonically. The form grows to hold an object moved or resized beyond its edges, and a
// form never becomes narrower or lower than its objects. Nothing changes unless the status is Ok.
PropertyStatus storeProperty(FormObjects& objects, size_t index, PropertyId id, std::string_view value);

// The value without blanks, tabs and line ends at either end.
std::string_view trimValue(std::string_view value);

// A decimal integer with an optional sign and nothing else; nothing for any other text.
std::optional<int64_t> parseDecimal(std::string_view text);

} // namespace qel
