#pragma once
// A form at run time, without its window: the objects read from the form file, the state of each
// control (text, check mark, items, selection, enabled), the tab order, events turned into requests
// for program functions, and property access by name. A FormView shows it (the environment's form
// window); headless runs and tests drive it without one.
//
// A form is never torn down while its own code runs: every request counts in a depth counter, and a
// close asked for meanwhile (by the program, the close box or the run's end) waits until the
// outermost request has returned.
//
// A form opened by a run pays for its texts and pictures from the run's memory budget while it is
// open: what would pass the budget is refused before it is made (the open fails, a set property
// answers OutOfMemory), and everything goes back when the form closes.

#include "forms/form_object.h"
#include "forms/properties.h"
#include "program/host.h"
#include "runtime/bitmap_file.h"
#include "values/memory_budget.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qel {

// Messages of run-time forms.
inline constexpr std::string_view kFormLoadFailed = "Form load failed";
inline constexpr std::string_view kTooManyButtons = "There are too many buttons on the form to display";
inline constexpr std::string_view kTooManyEdits = "There are too many CEdit controls on the form to display";
inline constexpr std::string_view kTooManyCheckBoxes = "There are too many CheckBox controls on the form to display";
inline constexpr std::string_view kTooManyImages = "There are too many Image controls on the form to display";
inline constexpr std::string_view kTooManyComboBoxes = "There are too many ComboBox controls on the form to display";
inline constexpr std::string_view kComboMoreItemsThanValues = "Combo box has more data than values, defaulting -1";
inline constexpr std::string_view kButtonWithoutAction =
    "The form was designed without any action attached to this button!";
// The function's name is appended.
inline constexpr std::string_view kWouldHaveCalled = "Would have called the event:";

enum class FormMode : uint8_t {
    Preview, // the designer's preview: events only say what they would call
    Run,     // opened by a running program: events call its functions
};

enum class ControlKind : uint8_t { None, Button, Edit, CheckBox, ComboBox, Image };

struct ComboItem {
    std::string text;
    int32_t value = -1; // the hidden value
};

// What the control of one object shows. Objects of other types keep the kind None.
struct ControlState {
    ControlKind kind = ControlKind::None;
    int id = 0;          // its identifier (buttons from 1000, edits 1200, checkboxes 1300, images 1400,
                         // combo boxes 1500); 0 when over its type's limit
    bool exists = false; // it has been created (the view shows it)
    std::string text;    // an edit box's text, an editable combo box's edit field
    bool checked = false;
    std::vector<ComboItem> items;
    int selected = -1;
    bool enabled = true;
    // Images: the picture, loaded once; a failed load is not retried.
    std::shared_ptr<const DecodedBitmap> bitmap;
    bool imageFailed = false;
};

// What changed in a control, for the view to show.
enum class ControlChange : uint8_t { Geometry, Text, Check, Items, Selection, Enabled, Visible, Style };

// The window that shows a form. Every call is a notice after the model has changed.
class FormView {
public:
    virtual ~FormView() = default;
    virtual void titleChanged() {}
    // The form's width or height changed: the client area follows.
    virtual void sizeChanged() {}
    // The controls exist now (those within their limits): the view makes their windows.
    virtual void controlsCreated() {}
    virtual void controlChanged(size_t /*index*/, ControlChange /*what*/) {}
    virtual void focusControl(size_t /*index*/) {}
    // The form's function has returned and the controls are usable again: the focus goes back to
    // the object that had it, unless the function has sent it elsewhere.
    virtual void focusReturned(size_t /*index*/) {}
    virtual void repaint() {}
    // The opener shows the loaded form.
    virtual void shown() {}
    // The form is closed: the window goes. The model never calls the view again.
    virtual void closed() {}
};

struct PropertyReply {
    PropertyStatus status = PropertyStatus::Ok;
    PropertyValue value;
};

class RunForm : public std::enable_shared_from_this<RunForm> {
public:
    // Runs the named program function as a nested run and returns when it has finished.
    using Requester = std::function<void(std::string_view function)>;

    // Relative image file names are found in `folder`.
    RunForm(FormMode mode, MessageHost& host, Requester requester, std::string folder);
    RunForm(const RunForm&) = delete;
    RunForm& operator=(const RunForm&) = delete;
    ~RunForm();

    void setView(FormView* view) { view_ = view; }
    FormView* view() const { return view_; }
    // The window has gone on its own (its parent closed): the form closes without it.
    void viewDestroyed();
    // Told once the form is closed (by whatever means): its table frees its slot.
    void setClosedNotice(std::function<void(RunForm&)> notice) { closedNotice_ = std::move(notice); }
    // The budget that pays for the form from its opening until it closes; none pays nothing (the
    // designer's preview).
    void setMemoryBudget(MemoryBudget* budget) { budget_ = budget; }

    // Reads the form file and builds the form: title, OnOpen, size, controls, images, focus. False
    // after "Form load failed" when the file cannot be read or holds no form. A form closed by its own
    // OnOpen function is not built further (and still counts as opened). False without a message
    // when the budget cannot hold the file, its texts or its pictures (then outOfMemory() holds).
    bool open(const std::string& path);
    bool outOfMemory() const { return outOfMemory_; }

    FormMode mode() const { return mode_; }
    const FormObjects& objects() const { return objects_; }
    const ControlState& control(size_t index) const { return controls_.at(index); }
    // The window title, by which programs find the form: the form's caption.
    const std::string& caption() const;
    bool isClosed() const { return closing_; }
    int requestDepth() const { return depth_; }
    // The object that has the keyboard focus; none before the controls exist.
    std::optional<size_t> focused() const { return focused_; }
    // The drawn shapes in painting order (shapePaintOrder).
    std::vector<size_t> paintOrder() const;
    // The object of that name (letter case ignored, the first one).
    std::optional<size_t> findObject(std::string_view name) const;

    // What the user does. Events of controls that do not exist, are disabled or hidden, or of a closed
    // form, are ignored, as the window cannot deliver them.
    void click(size_t index);                           // a button or a checkbox
    void selectItem(size_t index, int item);            // a combo box's selection
    void editText(size_t index, std::string_view text); // an edit box or an editable combo box
    void focusGained(size_t index);
    void tabPressed();
    void closeBox();

    // What the program does.
    PropertyReply getProperty(std::string_view object, PropertyId id) const;
    PropertyStatus setProperty(std::string_view object, PropertyId id, std::string_view value, bool redraw);
    // CloseForm2: OnClose runs (once), then the form closes.
    void closeByProgram();
    // The run's end: the form closes without OnClose.
    void closeAtRunEnd();

private:
    bool canReach(size_t index, ControlKind kind) const;
    void event(size_t index, PropertyId which, bool isButton);
    void request(const std::string& function);
    void createControls();
    void loadImages();
    void fillCombo(size_t index);
    void focusFirst();
    std::vector<size_t> tabCycle() const;
    std::optional<PropertyValue> controlValue(size_t index, PropertyId id) const;
    PropertyStatus setValue(size_t index, std::string_view value);
    void applyEffect(size_t index, PropertyId id);
    void setEnabled(size_t index, bool enabled);
    void shut();
    void destroy();
    void notify(size_t index, ControlChange what);
    bool fits(uint64_t bytes) const { return !budget_ || bytes <= budget_->available(); }
    uint64_t heldBytes(size_t index) const; // the texts of an object and of its control
    // The budget pays for what an object (every object: all) holds now; false when that passes its
    // limit.
    bool recharge(size_t index);
    bool rechargeAll();

    FormMode mode_;
    MessageHost& host_;
    Requester requester_;
    std::string folder_;
    FormView* view_ = nullptr;
    std::function<void(RunForm&)> closedNotice_;
    FormObjects objects_;
    std::vector<ControlState> controls_;
    std::vector<bool> enabledAfterRequest_;                 // what each control returns to when the request ends
    std::vector<std::optional<std::string>> pendingValues_; // combo box values set before creation
    std::optional<size_t> focused_;
    bool built_ = false;
    bool controlsMade_ = false;
    int depth_ = 0;
    bool closing_ = false; // closed for the program: no longer found, no more events
    bool closeHandlerCalled_ = false;
    bool closePending_ = false; // the window goes when the outermost request returns
    bool destroyed_ = false;
    MemoryBudget* budget_ = nullptr; // none once the form is closed
    std::vector<uint64_t> charged_;  // what each object holds of the budget
    uint64_t imagesCharged_ = 0;     // the pictures, each once however many objects show it
    bool outOfMemory_ = false;
};

} // namespace qel
