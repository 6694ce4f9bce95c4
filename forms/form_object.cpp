#include "forms/form_object.h"

#include "forms/object_names.h"

#include <charconv>

namespace qel {

namespace {

constexpr std::string_view kTrue = "True";
constexpr std::string_view kFalse = "False";

// The fields every drawn or control object starts with.
FormObject startObject(int16_t type, const FormObjects& form, uint32_t width, uint32_t height)
{
    // The record is cleared to the values every new object has before its type's own.
    FormObject o;
    o.objectType = type;
    o.name = defaultObjectName(type, form);
    o.width = width;
    o.height = height;
    const DefaultColours base;
    o.bgColour = base.background;
    o.fgColour = base.foreground;
    o.borderColour = base.border;
    o.fillStyle = "Opaque";
    o.borderStyle = "Opaque";
    o.gridX = 5;
    o.gridY = 5;
    o.zOrder = 1;
    o.visible = kTrue;
    o.locked = kFalse;
    o.textFontName = "Arial";
    o.textSize = 10;
    o.textBold = "Normal";
    o.textAlign = "Left";
    o.tabOrder = static_cast<int16_t>(form.size()); // its index, until the tab order is set
    return o;
}

} // namespace

std::string_view objectTypeName(int16_t type)
{
    using namespace object_type;
    switch (type) {
    case kForm: return "Form";
    case kRectangle: return "Rectangle";
    case kButton: return "Button";
    case kStaticText: return "Static Text";
    case kEdit: return "Edit";
    case kCheckBox: return "CheckBox";
    case kComboBox: return "ComboBox";
    case kImage: return "Image";
    case kLine: return "Line";
    default: return "Not known";
    }
}

bool isControlType(int16_t type)
{
    using namespace object_type;
    return type == kButton || type == kEdit || type == kCheckBox || type == kComboBox;
}

bool isFormMemberType(int16_t type) { return type >= object_type::kRectangle && type <= object_type::kLast; }

std::vector<size_t> shapePaintOrder(const FormObjects& objects)
{
    constexpr uint32_t kLayers = 6;
    std::vector<size_t> order;
    for (uint32_t layer = kLayers; layer-- > 0;)
        for (size_t k = 1; k < objects.size(); ++k)
            if (isFormMemberType(objects[k].objectType) && !isControlType(objects[k].objectType) &&
                objects[k].zOrder == layer)
                order.push_back(k);
    return order;
}

FormObject newFormObject()
{
    FormObject form;
    form.objectType = object_type::kForm;
    form.name = "ORX Form";
    form.width = 400;
    form.height = 300;
    form.bgColour = rgb(200, 200, 200);
    form.gridX = 5;
    form.gridY = 5;
    form.visible = kTrue;
    form.locked = kFalse;
    return form;
}

FormObject newObject(int16_t type, const FormObjects& form, const DefaultColours& colours)
{
    using namespace object_type;
    switch (type) {
    case kButton: {
        FormObject o = startObject(type, form, 70, 25);
        o.caption = o.name;
        o.bgColour = colours.background;
        o.fgColour = colours.foreground;
        o.locked = kFalse;
        o.sunken = "Sunken";
        return o;
    }
    case kCheckBox: {
        FormObject o = startObject(type, form, 14, 14);
        o.caption = kTrue;
        o.bgColour = colours.background;
        o.borderColour = colours.background;
        o.fgColour = colours.foreground;
        o.fillStyle = "Opaque";
        o.borderStyle = "Opaque";
        o.locked = kFalse;
        o.sunken = "Flat";
        return o;
    }
    case kComboBox: {
        FormObject o = startObject(type, form, 100, 20);
        o.width2 = o.width;
        o.height2 = 100;
        o.locked = kFalse;
        o.sunken = "Sunken";
        o.v1Style = kFalse;
        return o;
    }
    case kEdit: {
        FormObject o = startObject(type, form, 100, 20);
        o.locked = kFalse;
        o.sunken = "Sunken";
        o.textAlign = "Left";
        return o;
    }
    case kImage: {
        FormObject o = startObject(type, form, 100, 20);
        o.borderColour = colours.border;
        o.borderStyle = "Opaque";
        return o;
    }
    case kLine: {
        FormObject o = startObject(type, form, 100, 20);
        o.fgColour = colours.foreground;
        o.bgColour = colours.background;
        o.fillStyle = "Solid";
        o.borderStyle = "\\";
        o.gridX = 50;
        return o;
    }
    case kRectangle: {
        FormObject o = startObject(type, form, 100, 100);
        o.bgColour = colours.background;
        o.fgColour = colours.foreground;
        o.borderColour = colours.border;
        o.fillStyle = "Opaque";
        o.locked = kFalse;
        return o;
    }
    case kStaticText: {
        FormObject o = startObject(type, form, 100, 20);
        o.caption = "<to do>";
        o.bgColour = colours.background;
        o.fgColour = colours.foreground;
        o.borderColour = colours.border;
        o.fillStyle = "Opaque";
        o.borderStyle = "Opaque";
        o.textFontName = "Arial";
        o.textSize = 10;
        o.textBold = "Normal";
        o.textAlign = "Left";
        o.locked = kFalse;
        return o;
    }
    default: {
        FormObject o;
        o.objectType = type;
        return o;
    }
    }
}

void placeNewObject(FormObject& object, const FormObject& form)
{
    object.offsetX = form.offsetX;
    object.offsetY = form.offsetY;
    constexpr uint32_t kNarrowed = 20;
    if (object.width > form.width)
        object.width = kNarrowed;
    if (object.height > form.height)
        object.height = kNarrowed;
    if (object.objectType == object_type::kComboBox)
        object.width2 = object.width;
}

std::string colourText(uint32_t colour)
{
    return std::to_string(colour & 0xFF) + "," + std::to_string(colour >> 8 & 0xFF) + "," +
           std::to_string(colour >> 16 & 0xFF);
}

uint32_t parseColourText(std::string_view text)
{
    uint32_t parts[3] = {0, 0, 0};
    for (uint32_t& part : parts) {
        const size_t comma = text.find(',');
        std::string_view piece = text.substr(0, comma);
        while (!piece.empty() && piece.front() == ' ')
            piece.remove_prefix(1);
        (void)std::from_chars(piece.data(), piece.data() + piece.size(), part);
        if (comma == std::string_view::npos)
            break;
        text.remove_prefix(comma + 1);
    }
    return rgb(parts[0], parts[1], parts[2]);
}

} // namespace qel
