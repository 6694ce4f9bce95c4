#pragma once
// One object of a form. A form is an ordered list of objects in which object 0 is the form itself
// and every further object is a control (button, edit box, checkbox, combo box) or a drawn shape
// (rectangle, line, static text, image). Every object carries the same fields, each type using
// some of them; the fields are the form file's tags, in the file's order.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qel {

// The object type codes, as form files store them.
namespace object_type {
inline constexpr int16_t kNotKnown = 0; // never created: a file object of this code ends reading
inline constexpr int16_t kVersion = 1;  // exists only in the file
inline constexpr int16_t kForm = 2;     // always object 0
inline constexpr int16_t kRectangle = 3;
inline constexpr int16_t kButton = 4;
inline constexpr int16_t kStaticText = 5;
inline constexpr int16_t kEdit = 6;
inline constexpr int16_t kCheckBox = 7;
inline constexpr int16_t kComboBox = 8;
inline constexpr int16_t kReserved9 = 9; // read, kept, written back; painted as a static text
inline constexpr int16_t kImage = 10;
inline constexpr int16_t kLine = 11;
inline constexpr int16_t kReserved12 = 12; // as 9
inline constexpr int16_t kLast = 12;
} // namespace object_type

// Colours are 0x00BBGGRR, red in the low byte.
constexpr uint32_t rgb(uint32_t red, uint32_t green, uint32_t blue)
{
    return (red & 0xFF) | (green & 0xFF) << 8 | (blue & 0xFF) << 16;
}

struct FormObject {
    int16_t objectType = object_type::kNotKnown;
    uint32_t width = 0;
    uint32_t height = 0;
    uint32_t width2 = 0;  // combo box: equal to width
    uint32_t height2 = 0; // combo box: the drop-down's height
    int32_t offsetX = 0;  // relative to the form's client area; the form's own: the designer's scroll
    int32_t offsetY = 0;
    uint32_t bgColour = 0;
    uint32_t fgColour = 0;
    uint32_t borderColour = 0;
    std::string fillStyle; // "Transparent", "Opaque"; a line's style "Solid", "Dash", "Dot", "DashDot"
    std::string name;
    uint32_t gridX = 0;
    uint32_t gridY = 0;
    uint32_t zOrder = 0; // painting layer, 1 topmost to 5 bottommost
    std::string visible; // "True" or "False"
    std::string locked;
    std::string caption;  // title, button text, static text, initial text or state, combo items, image file
    std::string caption2; // combo box: the hidden values
    std::string textFontName;
    uint32_t textSize = 0;
    std::string textBold;    // "Normal", "Bold", "Italic", "Bold+Italic"
    std::string textAlign;   // "Left", "Centre", "Right"
    std::string borderStyle; // "Transparent", "Opaque"; a line's direction "\" or "/"
    std::string sunken;      // "Sunken" or "Flat" from the designer, "True" or "False" once set at run time
    int16_t tabOrder = 0;
    std::string v1Style; // combo box: "True" a drop-down list, "False" an editable drop-down
    std::string onOpen;
    std::string onClose;
    std::string onClick;
    std::string onDblClick; // kept, never called
    std::string onSelected;
    std::string onChange;

    bool operator==(const FormObject&) const = default;

    // The right and bottom edges, in the form's coordinates.
    int64_t right() const { return int64_t{offsetX} + width; }
    int64_t bottom() const { return int64_t{offsetY} + height; }
};

using FormObjects = std::vector<FormObject>;

// "Form", "Button", ...: the type as listed to the user; "Not known" for codes without a name.
std::string_view objectTypeName(int16_t type);
// Buttons, edit boxes, checkboxes and combo boxes: the types that get a window of their own.
bool isControlType(int16_t type);
// The codes a file holds as objects of a form (3 to 12), the form itself apart.
bool isFormMemberType(int16_t type);
// The drawn shapes (rectangles, lines, static texts, images and the reserved codes) in painting
// order, the same in the designer and in a running form: layer 5 first, up to layer 0, each layer in
// list order. A shape on a layer outside 0 to 5 is not painted.
std::vector<size_t> shapePaintOrder(const FormObjects& objects);

// The designer's three default colours, with which new objects start.
struct DefaultColours {
    uint32_t background = rgb(200, 200, 200);
    uint32_t foreground = rgb(0, 0, 0);
    uint32_t border = rgb(255, 255, 255);
};

// A new form: "ORX Form", 400x300, grey, grid 5.
FormObject newFormObject();
// A new object of a type the designer creates (3 to 8, 10, 11), named for a form of objectCount
// objects with the given names taken; other codes give a cleared record of that type.
FormObject newObject(int16_t type, const FormObjects& form, const DefaultColours& colours);
// Puts a new object at the top-left corner of the visible part of the form (its scroll position)
// and narrows it to 20 pixels in a direction in which it is larger than the form.
void placeNewObject(FormObject& object, const FormObject& form);

// Colours as the designer shows them: "red,green,blue". Reading takes the first three numbers
// between commas (missing ones are 0, so an empty text is black).
std::string colourText(uint32_t colour);
uint32_t parseColourText(std::string_view text);

} // namespace qel
