#include "forms/design/form_design.h"
#include "forms/property_editing.h"

#include "forms/form_file.h"
#include "forms/object_names.h"
#include "forms/properties.h"

#include <algorithm>
#include <cstdlib>
#include <unordered_map>

namespace qel {

namespace {

constexpr int kMaxPlace = 2048;
constexpr int kMinSide = 5;
constexpr int kMinFormSide = 50;
constexpr int kPasteShift = 10;

int clampSide(int64_t side, int low) { return static_cast<int>(std::clamp<int64_t>(side, low, kMaxPlace)); }
int clampPlace(int64_t place) { return static_cast<int>(std::clamp<int64_t>(place, 0, kMaxPlace)); }
int gridStep(uint32_t grid) { return static_cast<int>(std::clamp<uint32_t>(grid, 1, kMaxPlace)); }

// Rounded down to whole grid steps (negative places count as 0).
int snapDown(int64_t value, int step) { return static_cast<int>(std::max<int64_t>(value, 0) / step * step); }
// A size rounded down to whole steps, never below one step, so that snapping leaves nothing unclickable.
int snapSide(int64_t side, int step) { return std::max(snapDown(side, step), step); }

bool isEvent(PropertyId id)
{
    return id == PropertyId::OnClick || id == PropertyId::OnDblClick || id == PropertyId::OnOpen ||
           id == PropertyId::OnClose || id == PropertyId::OnSelected || id == PropertyId::OnChange;
}

// What the format painter carries: everything but the type, name, texts, place, size, events and
// tab order.
void copyFormat(const FormObject& from, FormObject& to)
{
    to.bgColour = from.bgColour;
    to.fgColour = from.fgColour;
    to.borderColour = from.borderColour;
    to.fillStyle = from.fillStyle;
    to.borderStyle = from.borderStyle;
    to.gridX = from.gridX;
    to.gridY = from.gridY;
    to.zOrder = from.zOrder;
    to.visible = from.visible;
    to.locked = from.locked;
    to.sunken = from.sunken;
    to.textFontName = from.textFontName;
    to.textSize = from.textSize;
    to.textBold = from.textBold;
    to.textAlign = from.textAlign;
}

} // namespace

FormDesign::FormDesign() { reset(); }

void FormDesign::changed(DesignChange what)
{
    if (listener_)
        listener_(what);
}

std::optional<DesignMessage> FormDesign::takeMessage() { return std::exchange(message_, std::nullopt); }
std::optional<Notice> FormDesign::takeWarning() { return std::exchange(warning_, std::nullopt); }

void FormDesign::reset() { load({newFormObject()}); }

void FormDesign::load(FormObjects objects)
{
    if (objects.empty() || objects[0].objectType != object_type::kForm)
        objects.insert(objects.begin(), newFormObject());
    if (objects.size() > kMaxFormObjects)
        objects.resize(kMaxFormObjects);
    objects_ = std::move(objects);
    objects_[0].offsetX = objects_[0].offsetY = 0;
    state_.assign(objects_.size(), {});
    for (ObjectState& s : state_)
        s.id = nextId_++;
    current_ = 0;
    changed_ = false;
    painterSource_.reset();
    drag_ = DragMode::None;
    undo_.clear();
    redo_.clear();
    changed(DesignChange::Objects);
}

size_t FormDesign::selectionCount() const
{
    return static_cast<size_t>(std::count_if(state_.begin(), state_.end(), [](const auto& s) { return s.selected; }));
}

bool FormDesign::hasMarked() const
{
    return std::any_of(state_.begin(), state_.end(), [](const auto& s) { return s.marked; });
}

void FormDesign::setScroll(int x, int y)
{
    objects_[0].offsetX = x;
    objects_[0].offsetY = y;
}

void FormDesign::setSnap(bool on)
{
    snap_ = on;
    changed(DesignChange::Picture);
}

FormDesign::Snapshot FormDesign::snapshot() const
{
    Snapshot s{objects_, {}};
    s.ids.reserve(state_.size());
    for (const ObjectState& st : state_)
        s.ids.push_back(st.id);
    return s;
}

void FormDesign::commit(Snapshot before, DesignChange what)
{
    if (before.objects != objects_ || before.ids.size() != objects_.size()) {
        undo_.push_back(std::move(before));
        if (undo_.size() > kUndoSteps)
            undo_.erase(undo_.begin());
        redo_.clear();
        changed_ = true;
    }
    changed(what);
}

void FormDesign::restore(Snapshot s)
{
    // The selection and the current object follow the identifiers; the scroll position stays.
    std::unordered_map<uint32_t, bool> selected;
    for (const ObjectState& st : state_)
        selected[st.id] = st.selected;
    const uint32_t currentId = state_[current_].id;
    const int scrollX = objects_[0].offsetX, scrollY = objects_[0].offsetY;
    objects_ = std::move(s.objects);
    objects_[0].offsetX = scrollX;
    objects_[0].offsetY = scrollY;
    state_.assign(objects_.size(), {});
    current_ = 0;
    for (size_t k = 0; k < state_.size(); ++k) {
        state_[k].id = s.ids[k];
        state_[k].selected = selected.contains(s.ids[k]) && selected[s.ids[k]];
        if (s.ids[k] == currentId)
            current_ = k;
    }
    changed_ = true;
    drag_ = DragMode::None;
    changed(DesignChange::Objects);
}

void FormDesign::undo()
{
    if (undo_.empty())
        return;
    redo_.push_back(snapshot());
    Snapshot s = std::move(undo_.back());
    undo_.pop_back();
    restore(std::move(s));
}

void FormDesign::redo()
{
    if (redo_.empty())
        return;
    undo_.push_back(snapshot());
    Snapshot s = std::move(redo_.back());
    redo_.pop_back();
    restore(std::move(s));
}

void FormDesign::selectOnly(std::optional<size_t> index)
{
    for (ObjectState& s : state_)
        s.selected = false;
    if (index && *index < state_.size()) {
        state_[*index].selected = true;
        current_ = *index;
    }
}

void FormDesign::selectObject(size_t index)
{
    if (index >= objects_.size())
        return;
    selectOnly(index);
    changed(DesignChange::Objects);
}

bool FormDesign::applyProperty(PropertyId id, std::string_view value, bool toSelection)
{
    Snapshot before = snapshot();
    bool ok = storeRowText(objects_, current_, id, value) == PropertyStatus::Ok;
    if (ok && toSelection)
        for (size_t k = 0; k < objects_.size(); ++k)
            if (state_[k].selected && k != current_)
                (void)storeRowText(objects_, k, id, value);
    if (!ok) {
        objects_ = std::move(before.objects);
        return false;
    }
    warning_ = eventWarning(id, value);
    commit(std::move(before), id == PropertyId::Name ? DesignChange::Objects : DesignChange::Values);
    return true;
}

std::optional<Notice> FormDesign::eventWarning(PropertyId id, std::string_view value) const
{
    const std::string_view name = trimValue(value);
    if (!isEvent(id) || !functionExists_ || name.empty() || functionExists_(name))
        return std::nullopt;
    return Notice{kNoSuchFunction, {std::string(name)}};
}

void FormDesign::applyTabOrder(const std::vector<size_t>& order)
{
    Snapshot before = snapshot();
    for (size_t k = 1; k < objects_.size(); ++k)
        objects_[k].tabOrder = -1;
    int16_t next = 0;
    for (size_t k : order)
        if (k > 0 && k < objects_.size())
            objects_[k].tabOrder = next++;
    commit(std::move(before), DesignChange::Values);
}

size_t FormDesign::push(FormObject object)
{
    objects_.push_back(std::move(object));
    state_.push_back({false, false, nextId_++});
    return objects_.size() - 1;
}

std::optional<size_t> FormDesign::addObject(int16_t type)
{
    if (objects_.size() >= kMaxFormObjects) {
        message_ = DesignMessage{kTooManyControls, true};
        return std::nullopt;
    }
    Snapshot before = snapshot();
    FormObject o = newObject(type, objects_, colours_);
    o.tabOrder = static_cast<int16_t>(objects_.size());
    placeNewObject(o, objects_[0]);
    const size_t index = push(std::move(o));
    selectOnly(index);
    commit(std::move(before), DesignChange::Objects);
    return index;
}

std::optional<size_t> FormDesign::addImage(std::string fileName, std::optional<DesignPoint> bitmapSize)
{
    if (objects_.size() >= kMaxFormObjects) {
        message_ = DesignMessage{kTooManyControls, true};
        return std::nullopt;
    }
    Snapshot before = snapshot();
    FormObject o = newObject(object_type::kImage, objects_, colours_);
    o.tabOrder = static_cast<int16_t>(objects_.size());
    o.caption = std::move(fileName);
    if (bitmapSize) {
        o.width = static_cast<uint32_t>(std::clamp(bitmapSize->x, 0, 1024) + 2);
        o.height = static_cast<uint32_t>(std::clamp(bitmapSize->y, 0, 1024) + 2);
    }
    placeNewObject(o, objects_[0]);
    const size_t index = push(std::move(o));
    selectOnly(index);
    commit(std::move(before), DesignChange::Objects);
    return index;
}

DesignRect FormDesign::rectOf(const FormObject& o)
{
    const auto side = [](uint32_t v) { return static_cast<int>(std::min<uint32_t>(v, 4 * kMaxPlace)); };
    if (o.objectType == object_type::kForm)
        return {0, 0, side(o.width), side(o.height)};
    return {std::clamp(o.offsetX, -4 * kMaxPlace, 4 * kMaxPlace), std::clamp(o.offsetY, -4 * kMaxPlace, 4 * kMaxPlace),
            side(o.width), side(o.height)};
}

std::vector<std::pair<Handle, DesignRect>> FormDesign::handles(size_t index) const
{
    std::vector<std::pair<Handle, DesignRect>> out;
    if (index >= objects_.size() || !state_[index].selected)
        return out;
    const DesignRect r = rectOf(objects_[index]);
    const bool isForm = index == 0;
    for (int h = 0; h < kHandleCount; ++h) {
        const auto handle = static_cast<Handle>(h);
        if (isForm && handle != Handle::Right && handle != Handle::BottomRight && handle != Handle::Bottom)
            continue;
        int x = r.x + r.width / 2, y = r.y + r.height / 2;
        if (handle == Handle::TopLeft || handle == Handle::Left || handle == Handle::BottomLeft)
            x = r.x;
        if (handle == Handle::TopRight || handle == Handle::Right || handle == Handle::BottomRight)
            x = r.x + r.width;
        if (handle == Handle::TopLeft || handle == Handle::Top || handle == Handle::TopRight)
            y = r.y;
        if (handle == Handle::BottomLeft || handle == Handle::Bottom || handle == Handle::BottomRight)
            y = r.y + r.height;
        out.emplace_back(handle, DesignRect{x - kHandleSize / 2, y - kHandleSize / 2, kHandleSize, kHandleSize});
    }
    return out;
}

std::optional<size_t> FormDesign::handleAt(DesignPoint at, Handle& which) const
{
    std::optional<size_t> found;
    for (size_t k = 0; k < objects_.size(); ++k)
        for (const auto& [handle, rect] : handles(k))
            if (rect.contains(at)) {
                found = k;
                which = handle;
            }
    return found;
}

std::optional<size_t> FormDesign::objectAt(DesignPoint at) const
{
    if (!rectOf(objects_[0]).contains(at))
        return std::nullopt;
    // The form is picked only where no object is: were it a candidate, its centre could be nearer
    // than that of an object lying over it, which could then never be clicked.
    std::optional<size_t> best;
    int64_t bestDistance = 0;
    for (size_t k = 1; k < objects_.size(); ++k) {
        const DesignRect r = rectOf(objects_[k]);
        if (objects_[k].visible == "False" || !r.contains(at))
            continue;
        const int64_t distance =
            std::abs(int64_t{r.x} + r.width / 2 - at.x) + std::abs(int64_t{r.y} + r.height / 2 - at.y);
        if (!best || distance < bestDistance) {
            best = k;
            bestDistance = distance;
        }
    }
    return best ? best : std::optional<size_t>(0);
}

std::vector<size_t> FormDesign::paintOrder() const
{
    std::vector<size_t> order = shapePaintOrder(objects_);
    for (size_t k = 1; k < objects_.size(); ++k)
        if (isControlType(objects_[k].objectType))
            order.push_back(k);
    return order;
}

void FormDesign::paintFormat(size_t target)
{
    for (size_t k = 0; k < objects_.size(); ++k)
        if (state_[k].id == *painterSource_ && k != target) {
            Snapshot before = snapshot();
            copyFormat(objects_[k], objects_[target]);
            commit(std::move(before), DesignChange::Values);
        }
    painterSource_.reset();
}

void FormDesign::press(DesignPoint at, bool shift)
{
    dragStart_ = dragNow_ = at;
    Handle handle = Handle::BottomRight;
    if (handleAt(at, handle)) {
        drag_ = DragMode::Resize;
        dragHandle_ = handle;
        changed(DesignChange::Picture);
        return;
    }
    const std::optional<size_t> hit = objectAt(at);
    if (!hit) {
        selectOnly(std::nullopt);
        current_ = 0;
        drag_ = DragMode::Band;
        changed(DesignChange::Objects);
        return;
    }
    if (!state_[*hit].selected) {
        if (*hit == 0 || !shift)
            selectOnly(std::nullopt);
        if (state_[0].selected)
            state_[0].selected = false;
        // The painter carries a format between objects; the form keeps its own.
        if (painterSource_ && *hit != 0)
            paintFormat(*hit);
        state_[*hit].selected = true;
    }
    current_ = *hit;
    drag_ = *hit == 0 ? DragMode::Band : DragMode::Move;
    changed(DesignChange::Objects);
}

void FormDesign::dragTo(DesignPoint at)
{
    if (drag_ == DragMode::None)
        return;
    dragNow_ = at;
    changed(DesignChange::Picture);
}

void FormDesign::release(DesignPoint at)
{
    const DragMode mode = std::exchange(drag_, DragMode::None);
    dragNow_ = at;
    const int dx = at.x - dragStart_.x, dy = at.y - dragStart_.y;
    if (mode == DragMode::Move && (dx != 0 || dy != 0))
        finishMove(dx, dy);
    else if (mode == DragMode::Resize && (dx != 0 || dy != 0))
        finishResize(dx, dy);
    else if (mode == DragMode::Band && (dx != 0 || dy != 0))
        finishBand();
    else
        changed(DesignChange::Picture);
}

DesignRect FormDesign::resized(size_t index, int dx, int dy) const
{
    const DesignRect r = rectOf(objects_[index]);
    int64_t left = r.x, top = r.y, right = int64_t{r.x} + r.width, bottom = int64_t{r.y} + r.height;
    const Handle h = dragHandle_;
    if (h == Handle::TopLeft || h == Handle::Left || h == Handle::BottomLeft)
        left += dx;
    if (h == Handle::TopRight || h == Handle::Right || h == Handle::BottomRight)
        right += dx;
    if (h == Handle::TopLeft || h == Handle::Top || h == Handle::TopRight)
        top += dy;
    if (h == Handle::BottomLeft || h == Handle::Bottom || h == Handle::BottomRight)
        bottom += dy;
    // An edge dragged past the opposite one turns the rectangle round.
    if (left > right)
        std::swap(left, right);
    if (top > bottom)
        std::swap(top, bottom);
    return {static_cast<int>(left), static_cast<int>(top), static_cast<int>(right - left),
            static_cast<int>(bottom - top)};
}

std::vector<DesignRect> FormDesign::dragRects() const
{
    std::vector<DesignRect> out;
    const int dx = dragNow_.x - dragStart_.x, dy = dragNow_.y - dragStart_.y;
    if (drag_ == DragMode::Band) {
        out.push_back(
            {std::min(dragStart_.x, dragNow_.x), std::min(dragStart_.y, dragNow_.y), std::abs(dx), std::abs(dy)});
        return out;
    }
    if (drag_ == DragMode::None)
        return out;
    for (size_t k = 0; k < objects_.size(); ++k) {
        if (!state_[k].selected || (drag_ == DragMode::Move && k == 0))
            continue;
        if (drag_ == DragMode::Resize) {
            out.push_back(resized(k, dx, dy));
        } else {
            DesignRect r = rectOf(objects_[k]);
            r.x += dx;
            r.y += dy;
            out.push_back(r);
        }
    }
    return out;
}

void FormDesign::finishMove(int dx, int dy)
{
    Snapshot before = snapshot();
    const int stepX = gridStep(objects_[0].gridX), stepY = gridStep(objects_[0].gridY);
    for (size_t k = 1; k < objects_.size(); ++k) {
        if (!state_[k].selected)
            continue;
        FormObject& o = objects_[k];
        int64_t x = int64_t{o.offsetX} + dx, y = int64_t{o.offsetY} + dy;
        if (snap_) {
            x = snapDown(x, stepX);
            y = snapDown(y, stepY);
            if (o.objectType != object_type::kCheckBox && o.objectType != object_type::kImage) {
                o.width = static_cast<uint32_t>(snapSide(clampSide(o.width, kMinSide), stepX));
                o.height = static_cast<uint32_t>(snapSide(clampSide(o.height, kMinSide), stepY));
            }
        }
        o.offsetX = clampPlace(x);
        o.offsetY = clampPlace(y);
    }
    commit(std::move(before), DesignChange::Values);
}

void FormDesign::finishResize(int dx, int dy)
{
    Snapshot before = snapshot();
    const int stepX = gridStep(objects_[0].gridX), stepY = gridStep(objects_[0].gridY);
    std::vector<std::pair<size_t, DesignRect>> targets;
    for (size_t k = 0; k < objects_.size(); ++k)
        if (state_[k].selected)
            targets.emplace_back(k, resized(k, dx, dy));
    for (auto [k, r] : targets) {
        FormObject& o = objects_[k];
        if (k == 0) {
            o.width = static_cast<uint32_t>(clampSide(r.width, kMinFormSide));
            o.height = static_cast<uint32_t>(clampSide(r.height, kMinFormSide));
            continue;
        }
        int64_t left = r.x, top = r.y, right = int64_t{r.x} + r.width, bottom = int64_t{r.y} + r.height;
        const bool keepsSize = snap_ && o.objectType == object_type::kCheckBox;
        if (snap_) {
            left = snapDown(left, stepX);
            top = snapDown(top, stepY);
            right = left + snapSide(right - left, stepX);
            bottom = top + snapSide(bottom - top, stepY);
        }
        o.offsetX = clampPlace(left);
        o.offsetY = clampPlace(top);
        if (!keepsSize) {
            o.width = static_cast<uint32_t>(clampSide(right - left, kMinSide));
            o.height = static_cast<uint32_t>(clampSide(bottom - top, kMinSide));
        }
    }
    commit(std::move(before), DesignChange::Values);
}

void FormDesign::finishBand()
{
    const DesignRect b{std::min(dragStart_.x, dragNow_.x), std::min(dragStart_.y, dragNow_.y),
                       std::abs(dragNow_.x - dragStart_.x), std::abs(dragNow_.y - dragStart_.y)};
    std::optional<size_t> first;
    for (size_t k = 1; k < objects_.size(); ++k) {
        const DesignRect r = rectOf(objects_[k]);
        const bool inside = r.x >= b.x && r.y >= b.y && r.x + r.width <= b.x + b.width &&
                            r.y + r.height <= b.y + b.height && objects_[k].visible != "False";
        state_[k].selected = inside;
        if (inside && !first)
            first = k;
    }
    if (first) {
        state_[0].selected = false;
        current_ = *first;
    }
    changed(DesignChange::Objects);
}

void FormDesign::arrow(ArrowKey key, bool resize, bool gridStep)
{
    Snapshot before = snapshot();
    const FormObject& form = objects_[0];
    const int step =
        gridStep ? qel::gridStep(key == ArrowKey::Left || key == ArrowKey::Right ? form.gridX : form.gridY) : 1;
    const int dx = key == ArrowKey::Left ? -step : key == ArrowKey::Right ? step : 0;
    const int dy = key == ArrowKey::Up ? -step : key == ArrowKey::Down ? step : 0;
    for (size_t k = 1; k < objects_.size(); ++k) {
        if (!state_[k].selected)
            continue;
        FormObject& o = objects_[k];
        int64_t x = o.offsetX, y = o.offsetY, w = o.width, h = o.height;
        if (resize) {
            w += dx;
            h += dy;
        } else {
            x += dx;
            y += dy;
        }
        // Only while the object stays inside the form.
        if (x < 0 || y < 0 || w < kMinSide || h < kMinSide || x + w > form.width || y + h > form.height)
            continue;
        o.offsetX = static_cast<int32_t>(x);
        o.offsetY = static_cast<int32_t>(y);
        o.width = static_cast<uint32_t>(w);
        o.height = static_cast<uint32_t>(h);
        if (o.objectType == object_type::kComboBox)
            o.width2 = o.width;
    }
    commit(std::move(before), DesignChange::Values);
}

void FormDesign::deleteSelection()
{
    Snapshot before = snapshot();
    for (size_t k = objects_.size(); k-- > 1;)
        if (state_[k].selected) {
            if (painterSource_ == state_[k].id)
                painterSource_.reset();
            objects_.erase(objects_.begin() + static_cast<std::ptrdiff_t>(k));
            state_.erase(state_.begin() + static_cast<std::ptrdiff_t>(k));
        }
    selectOnly(std::nullopt);
    current_ = 0;
    commit(std::move(before), DesignChange::Objects);
}

void FormDesign::selectAll()
{
    for (size_t k = 0; k < state_.size(); ++k)
        state_[k].selected = k > 0;
    if (current_ == 0 && objects_.size() > 1)
        current_ = 1;
    changed(DesignChange::Objects);
}

void FormDesign::copy()
{
    for (size_t k = 0; k < state_.size(); ++k)
        state_[k].marked = k > 0 && state_[k].selected;
    if (state_[0].selected)
        message_ = DesignMessage{kFormCannotBeCopied, false};
    changed(DesignChange::Picture);
}

void FormDesign::paste()
{
    std::vector<size_t> marked;
    for (size_t k = 1; k < state_.size(); ++k)
        if (state_[k].marked)
            marked.push_back(k);
    if (marked.empty())
        return;
    if (objects_.size() + marked.size() > kMaxFormObjects) {
        message_ = DesignMessage{kPasteTooMany, true};
        return;
    }
    Snapshot before = snapshot();
    for (size_t k : marked) {
        FormObject o = objects_[k];
        o.offsetX = clampPlace(int64_t{o.offsetX} + kPasteShift);
        o.offsetY = clampPlace(int64_t{o.offsetY} + kPasteShift);
        o.name = makeUniqueName(o.name, objects_);
        o.tabOrder = static_cast<int16_t>(objects_.size());
        push(std::move(o));
    }
    selectOnly(std::nullopt);
    current_ = 0;
    commit(std::move(before), DesignChange::Objects);
}

void FormDesign::togglePainter()
{
    if (painterSource_) {
        painterSource_.reset();
    } else if (selectionCount() != 1) {
        message_ = DesignMessage{kPainterNeedsOne, false};
    } else {
        for (const ObjectState& s : state_)
            if (s.selected)
                painterSource_ = s.id;
    }
    changed(DesignChange::Picture);
}

void FormDesign::alignLeft()
{
    Snapshot before = snapshot();
    for (size_t k = 1; k < objects_.size(); ++k)
        if (state_[k].selected && current_ > 0)
            objects_[k].offsetX = objects_[current_].offsetX;
    commit(std::move(before), DesignChange::Values);
}

void FormDesign::alignTop()
{
    Snapshot before = snapshot();
    for (size_t k = 1; k < objects_.size(); ++k)
        if (state_[k].selected && current_ > 0)
            objects_[k].offsetY = objects_[current_].offsetY;
    commit(std::move(before), DesignChange::Values);
}

void FormDesign::sameSize()
{
    Snapshot before = snapshot();
    for (size_t k = 1; k < objects_.size(); ++k)
        if (state_[k].selected && current_ > 0) {
            objects_[k].width = objects_[current_].width;
            objects_[k].height = objects_[current_].height;
            if (objects_[k].objectType == object_type::kComboBox)
                objects_[k].width2 = objects_[k].width;
        }
    commit(std::move(before), DesignChange::Values);
}

} // namespace qel
