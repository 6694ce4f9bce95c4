#pragma once
// What the designer's properties window and Tab Order dialog edit: the objects of a form being
// designed and the one the window shows. The designer implements it; the window's tests use a fake.

#include "base/notice.h"
#include "forms/form_object.h"
#include "forms/properties.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qel {

class PropertyTarget {
public:
    virtual ~PropertyTarget() = default;

    // The form's objects, the form itself at index 0, and the one the window shows.
    virtual const FormObjects& objects() const = 0;
    virtual size_t currentObject() const = 0;
    // A name chosen in the window's object list: the designer selects that object, then shows the
    // window the new current object.
    virtual void selectObject(size_t index) = 0;

    // A row's new value for the current object, already found within the row's range and, for the
    // Name row, not the name of another object. The designer stores it (into every selected object
    // when toSelection), as one step that undo takes back, marks the form changed and repaints; false
    // when the value is refused, and the row then keeps its old value.
    virtual bool applyProperty(PropertyId id, std::string_view value, bool toSelection) = 0;

    // The Tab Order dialog's OK: the objects listed get the tab orders 0, 1, ... in that order and
    // every other object -1; one step for undo; marks the form changed.
    virtual void applyTabOrder(const std::vector<size_t>& order) = 0;

    // What is wrong with an event row's value, such as a function the program does not have (yet):
    // the window marks the row and says it. Nothing when all is well or the row is no event.
    virtual std::optional<Notice> eventWarning(PropertyId /*id*/, std::string_view /*value*/) const
    {
        return std::nullopt;
    }
};

} // namespace qel
