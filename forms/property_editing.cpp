#include "forms/property_editing.h"

#include "forms/object_names.h"

#include <algorithm>

namespace qel {

namespace {

using P = PropertyId;

uint32_t* colourField(FormObject& o, PropertyId id)
{
    switch (id) {
    case P::BGColour: return &o.bgColour;
    case P::FGColour: return &o.fgColour;
    case P::BorderColour: return &o.borderColour;
    default: return nullptr;
    }
}

// The fields the designer stores as typed or chosen: names, captions, choices and events.
std::string* textField(FormObject& o, PropertyId id)
{
    switch (id) {
    case P::FillStyle: return &o.fillStyle;
    case P::Name: return &o.name;
    case P::Visible: return &o.visible;
    case P::Locked: return &o.locked;
    case P::Caption: return &o.caption;
    case P::Caption2: return &o.caption2;
    case P::TextFontName: return &o.textFontName;
    case P::TextBold: return &o.textBold;
    case P::TextAlign: return &o.textAlign;
    case P::BorderStyle: return &o.borderStyle;
    case P::Sunken: return &o.sunken;
    case P::V1Style: return &o.v1Style;
    case P::OnClick: return &o.onClick;
    case P::OnDblClick: return &o.onDblClick;
    case P::OnOpen: return &o.onOpen;
    case P::OnClose: return &o.onClose;
    case P::OnSelected: return &o.onSelected;
    case P::OnChange: return &o.onChange;
    default: return nullptr;
    }
}

uint32_t* countField(FormObject& o, PropertyId id)
{
    switch (id) {
    case P::GridX: return &o.gridX;
    case P::GridY: return &o.gridY;
    case P::ZOrder: return &o.zOrder;
    case P::TextSize: return &o.textSize;
    default: return nullptr;
    }
}

bool listsInTabOrder(int16_t type)
{
    return isControlType(type) || type == object_type::kReserved9 || type == object_type::kReserved12;
}

} // namespace

std::string rowText(const FormObject& object, const PropertyRow& row)
{
    const PropertyValue value = storedProperty(object, row.field);
    return row.editor == EditorKind::Colour ? colourText(static_cast<uint32_t>(value.number)) : value.text;
}

PropertyStatus storeRowText(FormObjects& objects, size_t index, PropertyId id, std::string_view raw)
{
    FormObject& o = objects[index];
    const std::string_view text = trimValue(raw);
    if (uint32_t* colour = colourField(o, id)) {
        *colour = parseColourText(text);
        return PropertyStatus::Ok;
    }
    if (std::string* field = textField(o, id)) {
        *field = std::string(text);
        // Form files hold one property a line.
        std::replace_if(
            field->begin(), field->end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
        return PropertyStatus::Ok;
    }
    if (uint32_t* count = countField(o, id)) {
        const std::optional<int64_t> n = parseDecimal(text);
        if (!n || *n < 0 || *n > UINT32_MAX)
            return PropertyStatus::Unacceptable;
        *count = static_cast<uint32_t>(*n);
        return PropertyStatus::Ok;
    }
    const PropertyStatus status = storeProperty(objects, index, id, text);
    if (status == PropertyStatus::Ok && id == P::Width && o.objectType == object_type::kComboBox)
        o.width2 = o.width;
    return status;
}

std::optional<std::string_view> renameRefusal(const FormObjects& objects, size_t index, std::string_view raw)
{
    const std::string_view name = trimValue(raw);
    if (sameTextIgnoringCase(objects[index].name, name))
        return std::nullopt;
    const bool used = std::any_of(objects.begin(), objects.end(),
                                  [&](const FormObject& o) { return sameTextIgnoringCase(o.name, name); });
    return used ? std::optional(kNameAlreadyUsed) : std::nullopt;
}

std::vector<TabOrderRow> tabOrderRows(const FormObjects& objects)
{
    constexpr int kLastTabOrder = 9999;
    std::vector<TabOrderRow> rows;
    for (size_t k = 0; k < objects.size(); ++k) {
        const FormObject& o = objects[k];
        if (!listsInTabOrder(o.objectType))
            continue;
        const int order = o.tabOrder >= 0 && o.tabOrder <= kLastTabOrder ? o.tabOrder : 0;
        rows.push_back({order, o.name, k});
    }
    std::stable_sort(rows.begin(), rows.end(),
                     [](const TabOrderRow& a, const TabOrderRow& b) { return a.tabOrder < b.tabOrder; });
    return rows;
}

bool moveTabOrderRow(std::vector<TabOrderRow>& rows, size_t at, bool up)
{
    if (at >= rows.size() || (up ? at == 0 : at + 1 == rows.size()))
        return false;
    std::swap(rows[at], rows[up ? at - 1 : at + 1]);
    return true;
}

} // namespace qel
