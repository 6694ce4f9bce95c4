#pragma once
// The form being designed, without any window: its objects and, beside each, whether it is selected,
// marked for pasting and the identifier by which undo finds it; the current object; what a press,
// a drag and a release of the mouse do (hit tests, handles, moving, resizing, the rubber band, snap
// to the grid); the keys; copy and paste; the format painter; undo and redo. Points are in the
// form's coordinates; the window adds its scroll position.

#include "base/translatable.h"
#include "forms/form_object.h"
#include "forms/property_target.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qel {

// What the designer tells the user.
inline constexpr std::string_view kTooManyControls =
    QT_TRANSLATE_NOOP("qel", "There are too many controls on this form to add any more");
inline constexpr std::string_view kPasteTooMany =
    QT_TRANSLATE_NOOP("qel", "Can't paste all items as there would be too many controls on the form");
inline constexpr std::string_view kFormCannotBeCopied = QT_TRANSLATE_NOOP("qel", "The form object can not be copied");
inline constexpr std::string_view kPainterNeedsOne =
    QT_TRANSLATE_NOOP("qel", "Format Painter can only be used with one selected item");
// Our own: an event naming a function the program does not have; the name is stored all the same.
inline constexpr std::string_view kNoSuchFunction =
    QT_TRANSLATE_NOOP("qel", "The program has no function of this name: %1");

struct DesignMessage {
    std::string_view text;
    bool stop = false; // a stop icon; otherwise an exclamation
};

struct DesignPoint {
    int x = 0;
    int y = 0;
};

// left, top, width, height.
struct DesignRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    bool contains(DesignPoint p) const { return p.x >= x && p.y >= y && p.x < x + width && p.y < y + height; }
};

// The eight handles in a selected object's outline, clockwise from the top-left corner.
enum class Handle : uint8_t { TopLeft, Top, TopRight, Right, BottomRight, Bottom, BottomLeft, Left };
inline constexpr int kHandleCount = 8;
inline constexpr int kHandleSize = 8;

enum class DragMode : uint8_t { None, Resize, Move, Band };

// What a change touched, for the window: a repaint, new values in the rows, or another current
// object or list of objects.
enum class DesignChange : uint8_t { Picture, Values, Objects };

enum class ArrowKey : uint8_t { Left, Up, Right, Down };

class FormDesign : public PropertyTarget {
public:
    FormDesign();

    // PropertyTarget.
    const FormObjects& objects() const override { return objects_; }
    size_t currentObject() const override { return current_; }
    void selectObject(size_t index) override;
    bool applyProperty(PropertyId id, std::string_view value, bool toSelection) override;
    void applyTabOrder(const std::vector<size_t>& order) override;
    std::optional<Notice> eventWarning(PropertyId id, std::string_view value) const override;

    // Told after every change.
    void setListener(std::function<void(DesignChange)> listener) { listener_ = std::move(listener); }
    // Whether the program has a function of a name; events naming none are warned about.
    void setFunctionCheck(std::function<bool(std::string_view)> check) { functionExists_ = std::move(check); }
    // The messages of the last command, for the window to show.
    std::optional<DesignMessage> takeMessage();
    // A warning about an event's function, with the name to add to it.
    std::optional<Notice> takeWarning();

    // A new form, or one read from a file; either starts unchanged with an empty undo history.
    void reset();
    void load(FormObjects objects);
    bool isChanged() const { return changed_; }
    void markSaved() { changed_ = false; }

    bool isSelected(size_t index) const { return state_.at(index).selected; }
    bool isMarked(size_t index) const { return state_.at(index).marked; }
    uint32_t identifier(size_t index) const { return state_.at(index).id; }
    size_t selectionCount() const;
    bool hasMarked() const;

    // The designer's colours for new objects.
    DefaultColours& colours() { return colours_; }
    const DefaultColours& colours() const { return colours_; }

    // The scroll position, kept in the form's own offsets.
    void setScroll(int x, int y);

    // Adds an object of a type with its defaults at the form's scroll position; it becomes the one
    // selected and current. An image gets its file and, when the bitmap was read, its size plus two.
    std::optional<size_t> addObject(int16_t type);
    std::optional<size_t> addImage(std::string fileName, std::optional<DesignPoint> bitmapSize);

    // The mouse, in form coordinates.
    void press(DesignPoint at, bool shift);
    void dragTo(DesignPoint at);
    void release(DesignPoint at);
    DragMode dragMode() const { return drag_; }
    // The outlines the drag shows: each selected object's rectangle as it would end, or the band.
    std::vector<DesignRect> dragRects() const;

    // Where the object is; where its handles are (only the right, bottom-right and bottom ones for
    // the form, none for an object not selected).
    static DesignRect rectOf(const FormObject& object);
    std::vector<std::pair<Handle, DesignRect>> handles(size_t index) const;
    // The object a click picks: of those containing the point (hidden ones aside), the one whose
    // centre is nearest; the form contains every point of its area. Nothing outside the form.
    std::optional<size_t> objectAt(DesignPoint at) const;
    // The drawn objects in painting order, as a running form paints them; the controls come last.
    std::vector<size_t> paintOrder() const;

    // Snap to the grid: drags end on whole grid steps.
    bool snap() const { return snap_; }
    void setSnap(bool on);

    // Keys.
    void arrow(ArrowKey key, bool resize, bool gridStep);
    void deleteSelection();
    void selectAll();

    void copy();
    void paste();

    // Arms the painter with the one selected object, or disarms it.
    void togglePainter();
    bool painterArmed() const { return painterSource_.has_value(); }

    void alignLeft();
    void alignTop();
    void sameSize();

    bool canUndo() const { return !undo_.empty(); }
    bool canRedo() const { return !redo_.empty(); }
    void undo();
    void redo();

    // The most steps undo goes back.
    static constexpr size_t kUndoSteps = 200;

private:
    struct ObjectState {
        bool selected = false;
        bool marked = false;
        uint32_t id = 0; // never reused within a design
    };
    struct Snapshot {
        FormObjects objects;
        std::vector<uint32_t> ids;
    };

    void changed(DesignChange what);
    Snapshot snapshot() const;
    // Keeps the state before a command as one undo step when the command changed the objects.
    void commit(Snapshot before, DesignChange what);
    void restore(Snapshot s);
    void selectOnly(std::optional<size_t> index);
    std::optional<size_t> handleAt(DesignPoint at, Handle& which) const;
    void finishMove(int dx, int dy);
    void finishResize(int dx, int dy);
    void finishBand();
    DesignRect resized(size_t index, int dx, int dy) const;
    void paintFormat(size_t target);
    size_t push(FormObject object);

    FormObjects objects_;
    std::vector<ObjectState> state_;
    uint32_t nextId_ = 0;
    size_t current_ = 0;
    DefaultColours colours_;
    bool changed_ = false;
    bool snap_ = false;
    std::optional<uint32_t> painterSource_; // the identifier of the painter's source

    DragMode drag_ = DragMode::None;
    Handle dragHandle_ = Handle::BottomRight;
    DesignPoint dragStart_;
    DesignPoint dragNow_;

    std::vector<Snapshot> undo_;
    std::vector<Snapshot> redo_;
    std::function<void(DesignChange)> listener_;
    std::function<bool(std::string_view)> functionExists_;
    std::optional<DesignMessage> message_;
    std::optional<Notice> warning_;
};

} // namespace qel
