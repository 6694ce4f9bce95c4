#pragma once
// The rows in which the designer's properties window shows an object: per type, the rows of its
// "Properties" page and of its "Events" page, each with its label, field, editor, choices or range
// and help text.

#include "base/notice.h"
#include "base/translatable.h"
#include "forms/properties.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace qel {

enum class EditorKind : uint16_t {
    Edit = 1,       // an in-place edit box
    List = 2,       // an in-place drop-down list of the row's choices
    Colour = 3,     // the colour dialog; the value is "red,green,blue"
    BitmapFile = 4, // a file dialog for a .bmp file
};

enum class ChoiceListKind : uint16_t {
    FreeText = 1,
    Digits = 2, // the edit box takes digits only
    FillStyles = 4,
    TrueFalse = 5,
    FontNames = 6, // the installed font families, from the platform
    FontStyles = 7,
    Alignments = 8,
    BorderStyles = 9,
    SunkenFlat = 10,
    LineStyles = 11,
    LineDirections = 12,
};

struct PropertyRow {
    std::string_view label;
    PropertyId field;
    EditorKind editor;
    ChoiceListKind choices;
    std::string_view help;
    int low = 0; // numeric rows: the accepted range
    int high = 0;
    // A change applies to every selected object (the style rows), not the current one only.
    bool appliesToSelection = false;

    bool isNumeric() const { return choices == ChoiceListKind::Digits; }
};

enum class PropertyPage : uint8_t { Properties, Events };

// The rows of a type's page in order; none for a page the type does not have.
std::vector<PropertyRow> propertyRows(int16_t type, PropertyPage page);

// The fixed choices of a list; empty for FontNames (the platform's) and the kinds that are not lists.
std::span<const std::string_view> choiceList(ChoiceListKind kind);

// A numeric row's value outside its range: "Expecting value in the range of 6 and 72". Nothing when
// the value is acceptable or the row is not numeric.
inline constexpr std::string_view kOutOfRange = QT_TRANSLATE_NOOP("qel", "Expecting value in the range of %1 and %2");
std::optional<Notice> rangeRefusal(const PropertyRow& row, std::string_view value);

} // namespace qel
