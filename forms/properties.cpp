#include "forms/properties.h"

#include "forms/object_names.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <initializer_list>
#include <limits>

namespace qel {

namespace {

using P = PropertyId;

struct Entry {
    PropertyId id;
    std::string_view name;
};

using Vocabulary = std::array<std::string_view, kPropertyCount>;

constexpr Vocabulary vocabulary(std::initializer_list<Entry> entries)
{
    Vocabulary v{};
    for (const Entry& e : entries)
        v[static_cast<size_t>(e.id)] = e.name;
    return v;
}

constexpr Vocabulary kGeneric = vocabulary({
    {P::ObjectType, "ObjectType"}, {P::Width, "Width"},
    {P::Width2, "Width2"},         {P::Height, "Height"},
    {P::Height2, "Height2"},       {P::OffsetX, "OffsetX"},
    {P::OffsetY, "OffsetY"},       {P::BGColour, "BGColour"},
    {P::FGColour, "FGColour"},     {P::BorderColour, "BorderColour"},
    {P::FillStyle, "FillStlye"},   {P::Name, "Name"},
    {P::GridX, "GridX"},           {P::GridY, "GridY"},
    {P::ZOrder, "ZOrder"},         {P::Visible, "Visible"},
    {P::Locked, "Locked"},         {P::Caption, "Caption"},
    {P::Caption2, "Caption2"},     {P::TextFontName, "TextFontName"},
    {P::TextSize, "TextSize"},     {P::TextBold, "TextBold"},
    {P::TextAlign, "TextAlign"},   {P::BorderStyle, "BorderStyle"},
    {P::Sunken, "Sunken"},         {P::TabOrder, "TabOrder"},
    {P::V1Style, "V1Stlye"},       {P::OnClick, "OnClick"},
    {P::OnDblClick, "OnDblClick"}, {P::OnOpen, "OnOpen"},
    {P::OnClose, "OnClose"},       {P::OnSelected, "OnSelected"},
    {P::OnChange, "OnChange"},     {P::Value, "Value"},
});

constexpr Vocabulary kFormNames = vocabulary({
    {P::ObjectType, "frmObjectType"},
    {P::Width, "frmWidth"},
    {P::Height, "frmHeight"},
    {P::BGColour, "frmBGColour"},
    {P::Name, "frmName"},
    {P::GridX, "frmGridX"},
    {P::GridY, "frmGridY"},
    {P::Visible, "frmVisible"},
    {P::Caption, "frmCaption"},
    {P::OnClose, "frmOnClose"},
});

constexpr Vocabulary kRectangleNames = vocabulary({
    {P::ObjectType, "rectObjectType"},
    {P::Width, "rectWidth"},
    {P::Height, "rectHeight"},
    {P::OffsetX, "rectPositionX"},
    {P::OffsetY, "rectPositionY"},
    {P::BGColour, "rectBGColour"},
    {P::FGColour, "rectFGColour"},
    {P::BorderColour, "rectBorderColour"},
    {P::FillStyle, "rectFillStyle"},
    {P::Name, "rectName"},
    {P::ZOrder, "rectZOrder"},
    {P::Visible, "rectVisible"},
    {P::BorderStyle, "rectBorderStyle"},
});

constexpr Vocabulary kButtonNames = vocabulary({
    {P::ObjectType, "buttObjectType"},
    {P::Width, "buttWidth"},
    {P::Height, "buttHeight"},
    {P::OffsetX, "buttPositionX"},
    {P::OffsetY, "buttPositionY"},
    {P::Name, "buttName"},
    {P::ZOrder, "buttZOrder"},
    {P::Visible, "buttVisible"},
    {P::Locked, "buttLocked"},
    {P::Caption, "buttCaption"},
    {P::TabOrder, "buttTabOrder"},
    {P::OnClick, "buttOnClick"},
});

constexpr Vocabulary kStaticTextNames = vocabulary({
    {P::ObjectType, "stObjectType"},
    {P::Width, "stWidth"},
    {P::Height, "stHeight"},
    {P::OffsetX, "stPositionX"},
    {P::OffsetY, "stPositionY"},
    {P::BGColour, "stBGColour"},
    {P::FGColour, "stFGColour"},
    {P::BorderColour, "stBorderColour"},
    {P::FillStyle, "stFillStlye"},
    {P::Name, "stName"},
    {P::ZOrder, "stZOrder"},
    {P::Visible, "stVisible"},
    {P::Caption, "stCaption"},
    {P::TextFontName, "stTextFontName"},
    {P::TextSize, "stTextSize"},
    {P::TextBold, "stTextBold"},
    {P::TextAlign, "stTextAlign"},
    {P::BorderStyle, "stBorderStyle"},
});

constexpr Vocabulary kEditNames = vocabulary({
    {P::ObjectType, "txtObjectType"},
    {P::Width, "txtWidth"},
    {P::Height, "txtHeight"},
    {P::OffsetX, "txtPositionX"},
    {P::OffsetY, "txtPositionY"},
    {P::Name, "txtName"},
    {P::ZOrder, "txtZOrder"},
    {P::Visible, "txtVisible"},
    {P::Locked, "txtLocked"},
    {P::Caption, "txtDefaultValue"},
    {P::TextAlign, "txtAlign"},
    {P::Sunken, "txtSunken"},
    {P::TabOrder, "txtTabOrder"},
    {P::Value, "txtValue"},
});

constexpr Vocabulary kCheckBoxNames = vocabulary({
    {P::ObjectType, "chkObjectType"},
    {P::OffsetX, "chkPositionX"},
    {P::OffsetY, "chkPositionY"},
    {P::Name, "chkName"},
    {P::ZOrder, "chkZOrder"},
    {P::Visible, "chkVisible"},
    {P::Locked, "chkLocked"},
    {P::Sunken, "chkSunken"},
    {P::TabOrder, "chkTabOrder"},
    {P::OnClick, "chkOnClick"},
    {P::Value, "chkValue"},
});

constexpr Vocabulary kComboBoxNames = vocabulary({
    {P::ObjectType, "cmbObjectType"},
    {P::Width, "cmbWidth"},
    {P::Height, "cmbHeight"},
    {P::Height2, "cmbDropHeight"},
    {P::OffsetX, "cmbPositionX"},
    {P::OffsetY, "cmbPositionY"},
    {P::Name, "cmbName"},
    {P::ZOrder, "cmbZOrder"},
    {P::Visible, "cmbVisible"},
    {P::Locked, "cmbLocked"},
    {P::Caption, "cmbData"},
    {P::Caption2, "cmbDateValues"},
    {P::TabOrder, "cmbTabOrder"},
    {P::OnSelected, "cmbOnSelected"},
    {P::OnChange, "cmbOnChange"},
    {P::Value, "cmbValue"},
    {P::SelectionValue, "cmbSelectionValue"},
    {P::SelectionData, "cmbSelectionData"},
});

constexpr Vocabulary kImageNames = vocabulary({
    {P::ObjectType, "imgObjectType"},
    {P::Width, "imgWidth"},
    {P::Height, "imgHeight"},
    {P::OffsetX, "imgPositionX"},
    {P::OffsetY, "imgPositionY"},
    {P::BorderColour, "imgBorderColour"},
    {P::Name, "imgName"},
    {P::ZOrder, "imgZOrder"},
    {P::Visible, "imgVisible"},
    {P::Caption, "imgFileName"},
    {P::BorderStyle, "imgBorderStyle"},
});

constexpr Vocabulary kLineNames = vocabulary({
    {P::ObjectType, "lineObjectType"},
    {P::Width, "lineWidth"},
    {P::Height, "lineHeight"},
    {P::OffsetX, "linePositionX"},
    {P::OffsetY, "linePositionY"},
    {P::BGColour, "lineBGColour"},
    {P::FGColour, "lineFGColour"},
    {P::FillStyle, "lineLineStlye"},
    {P::Name, "lineName"},
    {P::ZOrder, "lineZOrder"},
    {P::Visible, "lineVisible"},
    {P::BorderStyle, "lineDirection"},
});

const Vocabulary& vocabularyOf(int16_t type)
{
    switch (type) {
    case object_type::kForm: return kFormNames;
    case object_type::kRectangle: return kRectangleNames;
    case object_type::kButton: return kButtonNames;
    case object_type::kStaticText: return kStaticTextNames;
    case object_type::kEdit: return kEditNames;
    case object_type::kCheckBox: return kCheckBoxNames;
    case object_type::kComboBox: return kComboBoxNames;
    case object_type::kImage: return kImageNames;
    case object_type::kLine: return kLineNames;
    default: return kGeneric;
    }
}

constexpr int64_t kMaxSize = 2048;

// The spelling of the choice the value names, letter case ignored.
std::optional<std::string_view> choice(std::string_view value, std::initializer_list<std::string_view> choices)
{
    for (std::string_view c : choices)
        if (sameTextIgnoringCase(value, c))
            return c;
    return std::nullopt;
}

std::optional<uint32_t> numberIn(std::string_view value, int64_t low, int64_t high)
{
    const std::optional<int64_t> n = parseDecimal(value);
    if (!n || *n < low || *n > high)
        return std::nullopt;
    return static_cast<uint32_t>(*n);
}

// The largest right (or bottom) edge of the form's objects, 0 when none lies right of the origin.
uint32_t largestEdge(const FormObjects& objects, bool horizontal)
{
    int64_t edge = 0;
    for (size_t k = 1; k < objects.size(); ++k)
        edge = std::max(edge, horizontal ? objects[k].right() : objects[k].bottom());
    return static_cast<uint32_t>(std::min<int64_t>(edge, std::numeric_limits<uint32_t>::max()));
}

// The form grows to hold objects[index] with the extent given.
void growFormToHold(FormObjects& objects, size_t index, int64_t right, int64_t bottom)
{
    if (index == 0 || objects.empty() || objects[0].objectType != object_type::kForm)
        return;
    FormObject& form = objects[0];
    constexpr int64_t kMaxEdge = std::numeric_limits<uint32_t>::max();
    if (right > form.width)
        form.width = static_cast<uint32_t>(std::min(right, kMaxEdge));
    if (bottom > form.height)
        form.height = static_cast<uint32_t>(std::min(bottom, kMaxEdge));
}

PropertyStatus storeText(std::string& field, std::string_view value)
{
    field = std::string(value);
    return PropertyStatus::Ok;
}

PropertyStatus storeChoice(std::string& field, std::string_view value, std::initializer_list<std::string_view> choices)
{
    const std::optional<std::string_view> c = choice(value, choices);
    if (!c)
        return PropertyStatus::Unacceptable;
    field = std::string(*c);
    return PropertyStatus::Ok;
}

PropertyStatus storeTrueFalse(std::string& field, std::string_view value)
{
    return storeChoice(field, value, {"True", "False"});
}

PropertyStatus storeColour(uint32_t& field, std::string_view value)
{
    const std::optional<int64_t> n = parseDecimal(value);
    if (!n || *n < std::numeric_limits<int32_t>::min() || *n > std::numeric_limits<uint32_t>::max())
        return PropertyStatus::Unacceptable;
    field = static_cast<uint32_t>(*n);
    return PropertyStatus::Ok;
}

PropertyStatus storeSize(FormObjects& objects, size_t index, PropertyId id, std::string_view value)
{
    std::optional<uint32_t> n = numberIn(value, 0, kMaxSize);
    if (!n)
        return PropertyStatus::Unacceptable;
    FormObject& o = objects[index];
    const bool horizontal = id == P::Width || id == P::Width2;
    if (o.objectType == object_type::kForm && (id == P::Width || id == P::Height))
        n = std::max({*n, largestEdge(objects, horizontal), uint32_t{1}});
    uint32_t& field = id == P::Width ? o.width : id == P::Width2 ? o.width2 : id == P::Height ? o.height : o.height2;
    field = *n;
    const int64_t across = horizontal ? int64_t{o.offsetX} + field : o.right();
    const int64_t down = horizontal ? o.bottom() : int64_t{o.offsetY} + field;
    growFormToHold(objects, index, across, down);
    return PropertyStatus::Ok;
}

PropertyStatus storeOffset(FormObjects& objects, size_t index, PropertyId id, std::string_view value)
{
    FormObject& o = objects[index];
    const std::optional<uint32_t> n = numberIn(value, 0, kMaxSize);
    if (!n || o.objectType == object_type::kForm)
        return PropertyStatus::Unacceptable;
    (id == P::OffsetX ? o.offsetX : o.offsetY) = static_cast<int32_t>(*n);
    growFormToHold(objects, index, o.right(), o.bottom());
    return PropertyStatus::Ok;
}

} // namespace

std::optional<PropertyId> lookupProperty(std::string_view name)
{
    const Vocabulary& names = vocabularyOf(typeOfNamePrefix(name));
    for (size_t id = 0; id < names.size(); ++id)
        if (!names[id].empty() && sameTextIgnoringCase(names[id], name))
            return static_cast<PropertyId>(id);
    return std::nullopt;
}

std::vector<std::string_view> propertyNamesOf(int16_t type)
{
    std::vector<std::string_view> names;
    for (std::string_view n : vocabularyOf(type))
        if (!n.empty())
            names.push_back(n);
    return names;
}

PropertyValue storedProperty(const FormObject& o, PropertyId id)
{
    switch (id) {
    case P::ObjectType: return PropertyValue::ofNumber(o.objectType);
    case P::Width: return PropertyValue::ofNumber(o.width);
    case P::Width2: return PropertyValue::ofNumber(o.width2);
    case P::Height: return PropertyValue::ofNumber(o.height);
    case P::Height2: return PropertyValue::ofNumber(o.height2);
    case P::OffsetX: return PropertyValue::ofNumber(o.offsetX);
    case P::OffsetY: return PropertyValue::ofNumber(o.offsetY);
    case P::BGColour: return PropertyValue::ofNumber(o.bgColour);
    case P::FGColour: return PropertyValue::ofNumber(o.fgColour);
    case P::BorderColour: return PropertyValue::ofNumber(o.borderColour);
    case P::FillStyle: return PropertyValue::ofText(o.fillStyle);
    case P::Name: return PropertyValue::ofText(o.name);
    case P::GridX: return PropertyValue::ofNumber(o.gridX);
    case P::GridY: return PropertyValue::ofNumber(o.gridY);
    case P::ZOrder: return PropertyValue::ofNumber(o.zOrder);
    case P::Visible: return PropertyValue::ofText(o.visible);
    case P::Locked: return PropertyValue::ofText(o.locked);
    case P::Caption: return PropertyValue::ofText(o.caption);
    case P::Caption2: return PropertyValue::ofText(o.caption2);
    case P::TextFontName: return PropertyValue::ofText(o.textFontName);
    case P::TextSize: return PropertyValue::ofNumber(o.textSize);
    case P::TextBold: return PropertyValue::ofText(o.textBold);
    case P::TextAlign: return PropertyValue::ofText(o.textAlign);
    case P::BorderStyle: return PropertyValue::ofText(o.borderStyle);
    case P::Sunken: return PropertyValue::ofText(o.sunken);
    case P::TabOrder: return PropertyValue::ofNumber(o.tabOrder);
    case P::V1Style: return PropertyValue::ofText(o.v1Style);
    case P::OnClick: return PropertyValue::ofText(o.onClick);
    case P::OnDblClick: return PropertyValue::ofText(o.onDblClick);
    case P::OnOpen: return PropertyValue::ofText(o.onOpen);
    case P::OnClose: return PropertyValue::ofText(o.onClose);
    case P::OnSelected: return PropertyValue::ofText(o.onSelected);
    case P::OnChange: return PropertyValue::ofText(o.onChange);
    case P::Value:
    case P::SelectionValue:
    case P::SelectionData: break;
    }
    return {};
}

PropertyStatus storeProperty(FormObjects& objects, size_t index, PropertyId id, std::string_view raw)
{
    using namespace object_type;
    FormObject& o = objects[index];
    const std::string_view value = trimValue(raw);
    const int16_t type = o.objectType;
    switch (id) {
    case P::ObjectType:
    case P::Name:
    case P::GridX:
    case P::GridY:
    case P::SelectionValue:
    case P::SelectionData: return PropertyStatus::ReadOnly;
    case P::Width:
    case P::Width2:
    case P::Height:
    case P::Height2: return storeSize(objects, index, id, value);
    case P::OffsetX:
    case P::OffsetY: return storeOffset(objects, index, id, value);
    case P::BGColour: return storeColour(o.bgColour, value);
    case P::FGColour: return storeColour(o.fgColour, value);
    case P::BorderColour: return storeColour(o.borderColour, value);
    case P::FillStyle:
        return type == kLine ? storeChoice(o.fillStyle, value, {"Solid", "Dash", "Dot", "DashDot"})
                             : storeChoice(o.fillStyle, value, {"Transparent", "Opaque"});
    case P::ZOrder: {
        if (type == object_type::kForm)
            return PropertyStatus::Ok; // a form has no layer: accepted and ignored
        const std::optional<uint32_t> n = numberIn(value, 1, 5);
        if (!n)
            return PropertyStatus::Unacceptable;
        o.zOrder = *n;
        return PropertyStatus::Ok;
    }
    case P::Visible: return storeTrueFalse(o.visible, value);
    case P::Locked: return storeTrueFalse(o.locked, value);
    case P::Sunken: return storeTrueFalse(o.sunken, value);
    case P::Caption:
        if (type != object_type::kForm && type != object_type::kButton && type != object_type::kStaticText &&
            type != object_type::kEdit && type != object_type::kComboBox)
            return PropertyStatus::Unacceptable;
        return storeText(o.caption, value);
    case P::Caption2:
        return type == object_type::kComboBox ? storeText(o.caption2, value) : PropertyStatus::Unacceptable;
    case P::TextFontName: return storeText(o.textFontName, value);
    case P::TextSize: {
        const std::optional<uint32_t> n = numberIn(value, 6, 72);
        if (!n)
            return PropertyStatus::Unacceptable;
        o.textSize = *n;
        return PropertyStatus::Ok;
    }
    case P::TextBold: return storeChoice(o.textBold, value, {"Normal", "Bold", "Italic", "Bold+Italic"});
    case P::TextAlign: return storeChoice(o.textAlign, value, {"Left", "Centre", "Right"});
    case P::BorderStyle:
        return type == kLine ? storeChoice(o.borderStyle, value, {"\\", "/"})
                             : storeChoice(o.borderStyle, value, {"Transparent", "Opaque"});
    case P::TabOrder: {
        const std::optional<uint32_t> n = numberIn(value, 0, 9999);
        if (!n)
            return PropertyStatus::Unacceptable;
        o.tabOrder = static_cast<int16_t>(*n);
        return PropertyStatus::Ok;
    }
    case P::V1Style:
        return type == object_type::kComboBox ? storeTrueFalse(o.v1Style, value) : PropertyStatus::Unacceptable;
    case P::OnClick: return storeText(o.onClick, value);
    case P::OnDblClick: return storeText(o.onDblClick, value);
    case P::OnOpen: return storeText(o.onOpen, value);
    case P::OnClose: return storeText(o.onClose, value);
    case P::OnSelected: return storeText(o.onSelected, value);
    case P::OnChange: return storeText(o.onChange, value);
    case P::Value: break; // the control's, not the object's
    }
    return PropertyStatus::Unacceptable;
}

std::string_view trimValue(std::string_view value)
{
    constexpr std::string_view kBlanks = " \t\r\n";
    const size_t first = value.find_first_not_of(kBlanks);
    if (first == std::string_view::npos)
        return {};
    return value.substr(first, value.find_last_not_of(kBlanks) - first + 1);
}

std::optional<int64_t> parseDecimal(std::string_view text)
{
    const bool negative = !text.empty() && text.front() == '-';
    if (!text.empty() && (text.front() == '-' || text.front() == '+'))
        text.remove_prefix(1);
    if (text.empty() || text.size() > 12 || text.front() < '0' || text.front() > '9')
        return std::nullopt;
    int64_t n = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), n);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return negative ? -n : n;
}

} // namespace qel
