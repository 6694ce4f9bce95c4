#include "forms/run_form.h"

#include "forms/form_file.h"
#include "forms/form_image.h"
#include "forms/object_names.h"
#include "program/file_names.h"

#include <algorithm>
#include <filesystem>
#include <numeric>
#include <system_error>
#include <utility>

namespace qel {

namespace {

constexpr std::string_view kTrue = "True";

ControlKind kindOf(int16_t type)
{
    switch (type) {
    case object_type::kButton: return ControlKind::Button;
    case object_type::kEdit: return ControlKind::Edit;
    case object_type::kCheckBox: return ControlKind::CheckBox;
    case object_type::kComboBox: return ControlKind::ComboBox;
    case object_type::kImage: return ControlKind::Image;
    default: return ControlKind::None;
    }
}

struct ControlLimit {
    ControlKind kind;
    int firstId;
    int limit;
    std::string_view message;
};

constexpr ControlLimit kLimits[] = {
    {ControlKind::Button, 1000, 25, kTooManyButtons},       {ControlKind::Edit, 1200, 100, kTooManyEdits},
    {ControlKind::CheckBox, 1300, 100, kTooManyCheckBoxes}, {ControlKind::Image, 1400, 100, kTooManyImages},
    {ControlKind::ComboBox, 1500, 100, kTooManyComboBoxes},
};

constexpr size_t kMaxComboItems = 1000;

// A list separated by ";"; a separator at the very end starts no further item.
std::vector<std::string_view> splitList(std::string_view text)
{
    std::vector<std::string_view> parts;
    while (!text.empty()) {
        const size_t semicolon = text.find(';');
        parts.push_back(text.substr(0, semicolon));
        if (semicolon == std::string_view::npos)
            break;
        text.remove_prefix(semicolon + 1);
    }
    return parts;
}

// The texts every object holds.
constexpr std::string FormObject::*kTextFields[] = {
    &FormObject::fillStyle,  &FormObject::name,        &FormObject::visible,      &FormObject::locked,
    &FormObject::caption,    &FormObject::caption2,    &FormObject::textFontName, &FormObject::textBold,
    &FormObject::textAlign,  &FormObject::borderStyle, &FormObject::sunken,       &FormObject::v1Style,
    &FormObject::onOpen,     &FormObject::onClose,     &FormObject::onClick,      &FormObject::onDblClick,
    &FormObject::onSelected, &FormObject::onChange,
};

// Reading a form file holds its text and the objects made from it at once; the controls then take
// copies of their texts. Twice the file's size is set aside for that until the form is built.
class Reservation {
public:
    Reservation(MemoryBudget* budget, uint64_t bytes) : budget_(budget), bytes_(bytes)
    {
        if (budget_ && !budget_->take(bytes_))
            budget_ = nullptr;
    }
    Reservation(const Reservation&) = delete;
    Reservation& operator=(const Reservation&) = delete;
    ~Reservation() { release(); }
    bool held() const { return budget_ != nullptr; }
    void release()
    {
        if (budget_)
            budget_->give(bytes_);
        budget_ = nullptr;
    }

private:
    MemoryBudget* budget_;
    uint64_t bytes_;
};

uint64_t formFileSize(const std::string& path)
{
    std::error_code error;
    const uintmax_t size = std::filesystem::file_size(path, error);
    return error ? 0 : static_cast<uint64_t>(size);
}

} // namespace

RunForm::RunForm(FormMode mode, MessageHost& host, Requester requester, std::string folder)
    : mode_(mode), host_(host), requester_(std::move(requester)), folder_(std::move(folder))
{}

RunForm::~RunForm() = default;

void RunForm::viewDestroyed()
{
    view_ = nullptr;
    closeAtRunEnd(); // closed without OnClose, as by its close box
}

const std::string& RunForm::caption() const
{
    static const std::string none;
    return objects_.empty() ? none : objects_[0].caption;
}

bool RunForm::open(const std::string& path)
{
    Reservation reading(budget_, 2 * formFileSize(path));
    if (budget_ && !reading.held()) {
        outOfMemory_ = true;
        return false;
    }
    std::optional<FormReadResult> read = readFormForWindow(path, host_);
    if (!read) {
        host_.showMessage(kFormLoadFailed, Icon::Error);
        return false;
    }
    objects_ = std::move(read->objects);
    controls_.assign(objects_.size(), {});
    charged_.assign(objects_.size(), 0);
    enabledAfterRequest_.assign(objects_.size(), true);
    pendingValues_.assign(objects_.size(), std::nullopt);
    for (size_t k = 1; k < objects_.size(); ++k) {
        ControlState& c = controls_[k];
        const FormObject& o = objects_[k];
        c.kind = kindOf(o.objectType);
        if (c.kind == ControlKind::Edit)
            c.text = o.caption;
        c.checked = c.kind == ControlKind::CheckBox && o.caption == kTrue;
        // A button's lock is applied only when changed at run time.
        c.enabled = c.kind == ControlKind::Button || o.locked != kTrue;
    }
    if (view_)
        view_->titleChanged();

    const std::shared_ptr<RunForm> keep = shared_from_this();
    event(0, PropertyId::OnOpen, false);
    if (closing_)
        return true; // closed by its own OnOpen: nothing more is built
    if (view_)
        view_->sizeChanged();
    createControls();
    reading.release();
    outOfMemory_ = !rechargeAll();
    if (!outOfMemory_)
        loadImages();
    if (outOfMemory_)
        return false;
    built_ = true;
    focusFirst();
    return true;
}

uint64_t RunForm::heldBytes(size_t index) const
{
    const FormObject& o = objects_[index];
    const ControlState& c = controls_[index];
    uint64_t bytes =
        sizeof(FormObject) + sizeof(ControlState) + c.text.capacity() + c.items.capacity() * sizeof(ComboItem);
    for (const auto field : kTextFields)
        bytes += (o.*field).capacity();
    for (const ComboItem& item : c.items)
        bytes += item.text.capacity();
    if (pendingValues_[index])
        bytes += pendingValues_[index]->capacity();
    return bytes;
}

bool RunForm::recharge(size_t index)
{
    if (!budget_)
        return true;
    const uint64_t held = heldBytes(index);
    budget_->give(charged_[index]);
    budget_->charge(held);
    charged_[index] = held;
    return budget_->used() <= budget_->limit();
}

bool RunForm::rechargeAll()
{
    bool fitting = true;
    for (size_t k = 0; k < objects_.size(); ++k)
        fitting = recharge(k) && fitting;
    return fitting;
}

void RunForm::createControls()
{
    int count[std::size(kLimits)] = {};
    bool told[std::size(kLimits)] = {};
    for (size_t k = 1; k < objects_.size(); ++k) {
        ControlState& c = controls_[k];
        const auto limit = std::find_if(std::begin(kLimits), std::end(kLimits),
                                        [&](const ControlLimit& l) { return l.kind == c.kind; });
        if (limit == std::end(kLimits))
            continue;
        const auto which = static_cast<size_t>(limit - std::begin(kLimits));
        if (count[which] >= limit->limit) {
            if (!told[which])
                host_.showMessage(limit->message, Icon::Error);
            told[which] = true;
            continue;
        }
        c.id = limit->firstId + count[which]++;
        if (c.kind == ControlKind::Image)
            continue; // drawn by the form: an identifier, no window
        c.exists = true;
        if (c.kind == ControlKind::ComboBox) {
            fillCombo(k);
            if (pendingValues_[k])
                (void)setValue(k, *pendingValues_[k]);
        }
    }
    controlsMade_ = true; // from here on the view hears of every change
    if (view_)
        view_->controlsCreated();
}

// Objects naming the same file share its picture. One the budget cannot hold stops the loading.
void RunForm::loadImages()
{
    std::vector<std::pair<std::string, std::shared_ptr<const DecodedBitmap>>> loaded;
    for (size_t k = 1; k < objects_.size() && !outOfMemory_; ++k) {
        ControlState& c = controls_[k];
        if (c.kind != ControlKind::Image || objects_[k].caption.empty() || c.bitmap || c.imageFailed)
            continue;
        const std::string path = resolveInFolder(folder_, objects_[k].caption);
        const auto same = std::find_if(loaded.begin(), loaded.end(), [&](const auto& l) { return l.first == path; });
        if (same != loaded.end()) {
            c.bitmap = same->second;
            c.imageFailed = !c.bitmap;
            continue;
        }
        FormImageRead read = readFormImage(path, host_, budget_ ? budget_->available() : UINT64_MAX);
        outOfMemory_ = read.outOfMemory;
        if (read.bitmap) {
            c.bitmap = std::make_shared<const DecodedBitmap>(std::move(*read.bitmap));
            const uint64_t bytes = c.bitmap->pixels.capacity() * sizeof(uint32_t);
            imagesCharged_ += bytes;
            if (budget_)
                budget_->charge(bytes);
        }
        c.imageFailed = !c.bitmap;
        loaded.emplace_back(path, c.bitmap);
    }
}

// Shown items and hidden values are taken pairwise; items without a value get -1, and when the
// caller gave any values at all, each such item says so.
void RunForm::fillCombo(size_t index)
{
    ControlState& c = controls_[index];
    const FormObject& o = objects_[index];
    const std::vector<std::string_view> texts = splitList(o.caption);
    const std::vector<std::string_view> values = splitList(o.caption2);
    c.items.clear();
    c.selected = -1;
    c.text.clear();
    const size_t count = std::min(std::max(texts.size(), values.size()), kMaxComboItems);
    for (size_t i = 0; i < count; ++i) {
        ComboItem item{i < texts.size() ? std::string(texts[i]) : std::string(), -1};
        if (i < values.size())
            item.value = static_cast<int32_t>(formFileNumber(values[i]));
        else if (!values.empty())
            host_.showMessage(kComboMoreItemsThanValues, Icon::Exclamation);
        c.items.push_back(std::move(item));
    }
    notify(index, ControlChange::Items);
}

std::vector<size_t> RunForm::paintOrder() const { return shapePaintOrder(objects_); }

std::optional<size_t> RunForm::findObject(std::string_view name) const
{
    for (size_t k = 0; k < objects_.size(); ++k)
        if (sameTextIgnoringCase(objects_[k].name, name))
            return k;
    return std::nullopt;
}

// Every control that can take the focus, by tab order and then list order; objects without a window,
// hidden or disabled ones and those of a negative tab order are passed over.
std::vector<size_t> RunForm::tabCycle() const
{
    std::vector<size_t> cycle;
    for (size_t k = 1; k < objects_.size(); ++k) {
        const ControlState& c = controls_[k];
        const bool enabled = depth_ > 0 ? enabledAfterRequest_[k] : c.enabled;
        if (c.exists && enabled && objects_[k].visible == kTrue && objects_[k].tabOrder >= 0)
            cycle.push_back(k);
    }
    std::stable_sort(cycle.begin(), cycle.end(),
                     [&](size_t a, size_t b) { return objects_[a].tabOrder < objects_[b].tabOrder; });
    return cycle;
}

void RunForm::focusFirst()
{
    const std::vector<size_t> cycle = tabCycle();
    if (cycle.empty())
        return;
    focused_ = cycle.front();
    if (view_)
        view_->focusControl(*focused_);
}

void RunForm::focusGained(size_t index)
{
    if (index < controls_.size() && controls_[index].exists)
        focused_ = index;
}

void RunForm::tabPressed()
{
    if (closing_)
        return;
    const std::vector<size_t> cycle = tabCycle();
    if (cycle.empty())
        return;
    auto next = cycle.begin();
    if (focused_) {
        const auto key = [&](size_t k) { return std::pair(objects_[k].tabOrder, k); };
        next = std::upper_bound(cycle.begin(), cycle.end(), *focused_,
                                [&](size_t a, size_t b) { return key(a) < key(b); });
        if (next == cycle.end())
            next = cycle.begin();
    }
    focused_ = *next;
    if (view_)
        view_->focusControl(*focused_);
}

bool RunForm::canReach(size_t index, ControlKind kind) const
{
    return !closing_ && index < controls_.size() && controls_[index].kind == kind && controls_[index].exists &&
           controls_[index].enabled && objects_[index].visible == kTrue;
}

void RunForm::click(size_t index)
{
    const bool button = canReach(index, ControlKind::Button);
    if (!button && !canReach(index, ControlKind::CheckBox))
        return;
    const std::shared_ptr<RunForm> keep = shared_from_this();
    if (!button) { // the check mark turns before the function runs
        controls_[index].checked = !controls_[index].checked;
        notify(index, ControlChange::Check);
    }
    event(index, PropertyId::OnClick, button);
}

void RunForm::selectItem(size_t index, int item)
{
    if (!canReach(index, ControlKind::ComboBox) || item < 0 ||
        static_cast<size_t>(item) >= controls_[index].items.size())
        return;
    const std::shared_ptr<RunForm> keep = shared_from_this();
    ControlState& c = controls_[index];
    c.selected = item;
    c.text = c.items[static_cast<size_t>(item)].text;
    (void)recharge(index);
    notify(index, ControlChange::Selection);
    event(index, PropertyId::OnSelected, false);
}

void RunForm::editText(size_t index, std::string_view text)
{
    if (canReach(index, ControlKind::Edit)) {
        controls_[index].text = text;
        (void)recharge(index); // typed by the user: paid for, never refused
        notify(index, ControlChange::Text);
        return;
    }
    if (!canReach(index, ControlKind::ComboBox) || objects_[index].v1Style == kTrue)
        return; // a drop-down list takes no typing
    const std::shared_ptr<RunForm> keep = shared_from_this();
    controls_[index].text = text;
    (void)recharge(index);
    notify(index, ControlChange::Text);
    event(index, PropertyId::OnChange, false);
}

// The function's name is read afresh: the function may change the property while it runs.
void RunForm::event(size_t index, PropertyId which, bool isButton)
{
    const std::string name = storedProperty(objects_[index], which).text;
    if (name.empty()) {
        if (isButton)
            host_.showMessage(kButtonWithoutAction, Icon::Exclamation);
        return;
    }
    if (mode_ == FormMode::Preview) {
        host_.showMessage(std::string(kWouldHaveCalled) + name, Icon::Information);
        return;
    }
    request(name);
}

// The controls are disabled while the function runs, so the form cannot start a second request;
// afterwards they return to what they were (or to what the function made them, for their lock).
void RunForm::request(const std::string& function)
{
    const std::shared_ptr<RunForm> keep = shared_from_this();
    if (depth_++ == 0) {
        for (size_t k = 0; k < controls_.size(); ++k)
            if (controls_[k].exists) {
                enabledAfterRequest_[k] = controls_[k].enabled;
                setEnabled(k, false);
            }
    }
    requester_(function);
    if (--depth_ > 0)
        return;
    if (closePending_) {
        destroy();
        return;
    }
    for (size_t k = 0; k < controls_.size(); ++k)
        if (controls_[k].exists)
            setEnabled(k, enabledAfterRequest_[k]);
    if (focused_ && view_)
        view_->focusReturned(*focused_);
}

void RunForm::setEnabled(size_t index, bool enabled)
{
    if (controls_[index].enabled == enabled)
        return;
    controls_[index].enabled = enabled;
    notify(index, ControlChange::Enabled);
}

void RunForm::notify(size_t index, ControlChange what)
{
    if (view_ && controlsMade_ && !destroyed_ && controls_[index].exists)
        view_->controlChanged(index, what);
}

PropertyReply RunForm::getProperty(std::string_view object, PropertyId id) const
{
    const std::optional<size_t> index = findObject(object);
    if (!index)
        return {PropertyStatus::NoObject, {}};
    if (id < PropertyId::Value)
        return {PropertyStatus::Ok, storedProperty(objects_[*index], id)};
    std::optional<PropertyValue> value = controlValue(*index, id);
    if (!value)
        return {PropertyStatus::Unacceptable, {}};
    return {PropertyStatus::Ok, std::move(*value)};
}

std::optional<PropertyValue> RunForm::controlValue(size_t index, PropertyId id) const
{
    const ControlState& c = controls_[index];
    const FormObject& o = objects_[index];
    const std::string selectedText = c.selected >= 0 ? c.items[static_cast<size_t>(c.selected)].text : std::string();
    switch (o.objectType) {
    case object_type::kEdit:
        if (id == PropertyId::Value)
            return PropertyValue::ofText(c.text);
        break;
    case object_type::kCheckBox:
        if (id == PropertyId::Value)
            return PropertyValue::ofText(c.checked ? "True" : "False");
        break;
    case object_type::kComboBox:
        if (id == PropertyId::Value)
            return PropertyValue::ofText(o.v1Style == kTrue ? selectedText : c.text);
        if (id == PropertyId::SelectionValue)
            return PropertyValue::ofText(selectedText);
        if (id == PropertyId::SelectionData)
            return PropertyValue::ofNumber(c.selected >= 0 ? c.items[static_cast<size_t>(c.selected)].value : -1);
        break;
    default: break;
    }
    return std::nullopt;
}

PropertyStatus RunForm::setProperty(std::string_view object, PropertyId id, std::string_view value, bool redraw)
{
    const std::optional<size_t> index = findObject(object);
    if (!index)
        return PropertyStatus::NoObject;
    // The value may be stored, copied into the control and split into combo items.
    const auto items = static_cast<uint64_t>(std::count(value.begin(), value.end(), ';')) + 1;
    if (!fits(2 * value.size() + items * sizeof(ComboItem)))
        return PropertyStatus::OutOfMemory;
    const std::shared_ptr<RunForm> keep = shared_from_this();
    PropertyStatus status = PropertyStatus::Ok;
    if (id == PropertyId::Value) {
        status = setValue(*index, value);
    } else if (id > PropertyId::Value) {
        status = PropertyStatus::ReadOnly;
    } else {
        const uint32_t formWidth = objects_[0].width, formHeight = objects_[0].height;
        status = storeProperty(objects_, *index, id, value);
        if (status == PropertyStatus::Ok) {
            applyEffect(*index, id);
            if (view_ && (objects_[0].width != formWidth || objects_[0].height != formHeight))
                view_->sizeChanged();
        }
    }
    (void)recharge(*index); // the check above has kept it inside the budget
    if (status == PropertyStatus::Ok && redraw && view_)
        view_->repaint();
    return status;
}

PropertyStatus RunForm::setValue(size_t index, std::string_view value)
{
    ControlState& c = controls_[index];
    const FormObject& o = objects_[index];
    switch (o.objectType) {
    case object_type::kEdit:
        c.text = value; // as given, blanks and all
        notify(index, ControlChange::Text);
        return PropertyStatus::Ok;
    case object_type::kCheckBox:
        c.checked = sameTextIgnoringCase(trimValue(value), kTrue);
        notify(index, ControlChange::Check);
        return PropertyStatus::Ok;
    case object_type::kComboBox: {
        if (!c.exists) { // not made yet: the value waits for the list
            pendingValues_[index] = std::string(value);
            return PropertyStatus::Ok;
        }
        if (o.v1Style != kTrue) {
            c.text = value;
            notify(index, ControlChange::Text);
            return PropertyStatus::Ok;
        }
        const std::string_view wanted = trimValue(value);
        const auto item = std::find_if(c.items.begin(), c.items.end(),
                                       [&](const ComboItem& i) { return sameTextIgnoringCase(i.text, wanted); });
        if (item != c.items.end()) {
            c.selected = static_cast<int>(item - c.items.begin());
            c.text = item->text;
            notify(index, ControlChange::Selection);
        }
        return PropertyStatus::Ok;
    }
    default: return PropertyStatus::Unacceptable;
    }
}

void RunForm::applyEffect(size_t index, PropertyId id)
{
    using P = PropertyId;
    const FormObject& o = objects_[index];
    ControlState& c = controls_[index];
    switch (id) {
    case P::Width:
    case P::Width2:
    case P::Height:
    case P::Height2:
    case P::OffsetX:
    case P::OffsetY: notify(index, ControlChange::Geometry); break;
    case P::TextAlign:
    case P::Sunken:
    case P::V1Style: notify(index, ControlChange::Style); break;
    case P::TextBold:
    case P::Visible: notify(index, ControlChange::Visible); break;
    case P::Locked:
        if (c.kind == ControlKind::None || c.kind == ControlKind::Image)
            break;
        if (depth_ > 0 && c.exists)
            enabledAfterRequest_[index] = o.locked != kTrue; // the request's end brings it about
        else
            setEnabled(index, o.locked != kTrue);
        break;
    case P::Caption:
        if (index == 0 && view_)
            view_->titleChanged();
        if (c.kind == ControlKind::Edit)
            c.text = o.caption;
        if (c.kind == ControlKind::ComboBox && c.exists)
            fillCombo(index);
        else if (c.kind == ControlKind::Edit || c.kind == ControlKind::Button)
            notify(index, ControlChange::Text);
        break;
    case P::Caption2:
        if (c.exists)
            fillCombo(index);
        break;
    case P::TabOrder:
        if (built_)
            focusFirst();
        break;
    default: break; // stored: seen at the next paint, used by the next event
    }
}

void RunForm::closeByProgram()
{
    if (closing_ || closeHandlerCalled_)
        return;
    const std::shared_ptr<RunForm> keep = shared_from_this();
    closeHandlerCalled_ = true; // OnClose runs once, however often the form is closed meanwhile
    if (!objects_.empty())
        event(0, PropertyId::OnClose, false);
    shut();
}

void RunForm::closeBox()
{
    const std::shared_ptr<RunForm> keep = shared_from_this();
    shut();
}

void RunForm::closeAtRunEnd()
{
    const std::shared_ptr<RunForm> keep = shared_from_this();
    shut();
}

void RunForm::shut()
{
    if (!closing_) {
        closing_ = true;
        if (budget_) // what the form holds is no longer the run's
            budget_->give(std::accumulate(charged_.begin(), charged_.end(), imagesCharged_));
        budget_ = nullptr;
        if (closedNotice_)
            closedNotice_(*this);
    }
    if (depth_ > 0)
        closePending_ = true;
    else
        destroy();
}

void RunForm::destroy()
{
    if (destroyed_)
        return;
    destroyed_ = true;
    if (FormView* view = std::exchange(view_, nullptr))
        view->closed();
}

} // namespace qel
