#pragma once
// The program view's behaviour without its widget: the cursor, the selection and its anchor, the
// top line, every editing command with its messages, the clipboard commands, breakpoints, the key,
// wheel and scroll bar movements, and what each visible row looks like. The widget (`CQelView`)
// feeds it pixels and keys and paints the rows it returns; tests drive it directly.

#include "base/translatable.h"
#include "program/host.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class QWidget;

namespace qel {

class IdeState;
struct ProgramLine;

// Where the view stands in one section: the cursor, the selection, the top line, and the mark of the
// line a paused run stopped at (-1: none).
struct SectionPlace {
    int currentLine = 0;
    int topLine = 0;
    int selectionStart = 0;
    int selectionEnd = 0;
    int executionMarker = -1;
};

struct Rgb {
    uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
};

// The listing is light text on black whatever the desktop's theme. Inside the white selection every
// line takes its darker shade (the current line's), so that no text is bright on white.
namespace view_colour {
inline constexpr Rgb kSelectedBackground{255, 255, 255};
inline constexpr Rgb kBackground{0, 0, 0};
inline constexpr Rgb kExecutionMarker{255, 0, 0};
inline constexpr Rgb kExecutionMarkerSelected{200, 0, 0};
inline constexpr Rgb kComment{0, 255, 255};
inline constexpr Rgb kCommentCurrent{0, 128, 128};
inline constexpr Rgb kFunction{255, 255, 0};
inline constexpr Rgb kFunctionCurrent{128, 128, 0};
inline constexpr Rgb kOther{0, 255, 0};
inline constexpr Rgb kOtherCurrent{0, 128, 0};
inline constexpr Rgb kUnbalanced{255, 0, 255};
inline constexpr Rgb kUnbalancedSelected{200, 0, 200};
inline constexpr Rgb kProfileTime{255, 255, 0};
inline constexpr Rgb kProfileTimeSelected{128, 128, 0};
inline constexpr Rgb kBreakpointUnderline{100, 100, 100};
inline constexpr Rgb kStoppedUnderline{255, 0, 0};
// The frame of a line outside the lesson profile: orange reads on the black rows and the white
// selected ones alike.
inline constexpr Rgb kOutsideProfile{255, 140, 0};
} // namespace view_colour

inline constexpr int kRowHeight = 16;
inline constexpr int kIndentStep = 20;
inline constexpr int kTextMargin = 1;      // the text starts this far right of the indentation
inline constexpr int kProfileColumn = 40;  // and this much further while the profile column is shown
inline constexpr int kHitCountColumn = 72; // or as wide as nine digits while it shows hit counts

inline constexpr std::string_view kInvalidLineMessage =
    QT_TRANSLATE_NOOP("qel", "The currently selected line is invalid.");
inline constexpr std::string_view kRequiredNotEditableMessage =
    QT_TRANSLATE_NOOP("qel", "This line is required by QEL, it may not be edited.");
inline constexpr std::string_view kRequiredNotDeletableMessage =
    QT_TRANSLATE_NOOP("qel", "This line is required by ORX, it may not be deleted.");
inline constexpr std::string_view kSelectionSizeMessage =
    QT_TRANSLATE_NOOP("qel", "Confused about the size of selection,defaulting to 1 line");
inline constexpr std::string_view kNoLineToPasteAfterMessage =
    QT_TRANSLATE_NOOP("qel", "No selected line to paste after.");
inline constexpr std::string_view kPasteReservedMessage =
    QT_TRANSLATE_NOOP("qel", "Attempt to paste a reserved line ignored.");
inline constexpr std::string_view kPasteDeclareVariableMessage =
    QT_TRANSLATE_NOOP("qel", "Attempt to paste a DeclareVariable statement ignored.");
inline constexpr std::string_view kNoBreakpointOnTypeMessage =
    QT_TRANSLATE_NOOP("qel", "You may not place a break point on this line type");
inline constexpr std::string_view kTooManyBreakpointsMessage =
    QT_TRANSLATE_NOOP("qel", "Only 5 breakpoints are allowed");
inline constexpr std::string_view kCannotSetClipboardMessage = QT_TRANSLATE_NOOP("qel", "Unable to set Clipboard data");
inline constexpr std::string_view kNoClipboardDataMessage =
    QT_TRANSLATE_NOOP("qel", "Unable to get Clipboard data handle");

// The system clipboard as the view uses it; the widget puts Qt's behind it, tests a plain buffer.
class ClipboardAccess {
public:
    virtual ~ClipboardAccess() = default;
    // Replaces the clipboard's contents with an item of copied lines; false when that failed.
    virtual bool setLines(std::vector<uint8_t> item) = 0;
    // The item of copied lines on the clipboard, if there is one.
    virtual std::optional<std::vector<uint8_t>> lines() = 0;
    virtual bool hasLines() = 0;
    // Replaces the clipboard's contents with plain text; false when that failed.
    virtual bool setText(std::string text) = 0;
    // The same with UTF-8 text (the program's texts are 8-bit).
    virtual bool setUtf8Text(std::string text) = 0;
};

// One visible row as it is painted.
struct RowPaint {
    enum class Underline { None, Breakpoint, Stopped };

    long line = 0;
    int top = 0;   // the row's top edge; its text starts one pixel lower
    int textX = 0; // the indentation (0 when below zero) plus the margin and any profile column
    std::string_view text;
    Rgb background;
    Rgb colour;
    Underline underline = Underline::None;
    Rgb underlineColour;
    int underlineX = 0;  // the underline runs from here to the right edge
    std::string profile; // the line's profile time (or hit count) while the column is shown
    Rgb profileColour;
    bool outsideProfile = false; // the line's instruction is not in the lesson profile
};

// What a line type does to the indentation before and after it is drawn.
int indentBefore(uint32_t type);
int indentAfter(uint32_t type);

class ViewModel {
public:
    explicit ViewModel(IdeState& ide);

    // How a line's dialog is reached: mode 1 edits the EditBuffer's line, 2 creates a new line
    // (type 0 opening the Add An Instruction dialog with the typed letter). Tests replace it.
    using EditLineFunction = std::function<bool(IdeState&, QWidget*, int mode, char typedLetter)>;
    static constexpr int kEditMode = 1;
    static constexpr int kNewLineMode = 2;
    EditLineFunction editLine;
    QWidget* dialogParent = nullptr;
    ClipboardAccess* clipboard = nullptr; // none: the clipboard commands do nothing
    bool profileShown = false;            // the profile column of a profiled run
    bool hitCountsShown = false;          // the column shows how many times each line ran, not its time

    void setClientSize(int width, int height);
    int clientHeight() const { return height_; }
    // Whole rows in the client area.
    int pageRows() const { return height_ / kRowHeight; }

    uint32_t section() const;
    SectionPlace& view() { return places_[section()]; }
    const SectionPlace& view() const { return places_[section()]; }
    const SectionPlace& place(uint32_t s) const { return places_[s]; }
    // The current section's lines.
    const std::vector<ProgramLine>& lines() const;
    long lineCount() const;
    long anchor() const { return anchors_[section()]; }

    // Editing commands. Each returns true when the program changed.
    bool insertAfter(char typedLetter = 0);
    bool append();
    bool editCurrentLine();
    bool deleteLines();
    bool cut();
    bool paste();
    bool canPaste() const;
    void copy();
    void copyAllCode();
    // The selected lines in the program's text form, or the whole section when the selection is one
    // line (the cursor's).
    void copyAsText();
    void toggleBreakPoint();

    void showSection(uint32_t s);
    // A run shows a line: its section becomes current with the line selected and in view.
    void showLine(uint32_t s, long line);

    // Find: remembers the text (an empty text forgets it) and, when there is one, goes to the first
    // line holding it from section 0 line 0, or says "No match found". True when the cursor moved.
    bool find(std::string_view text);
    // Find Next: the remembered text again, after the current line, wrapping round once.
    bool findNext();
    const std::string& searchText() const { return searchText_; }
    // A run paused at a line (-1: none); only one line is marked at a time.
    void markPausedLine(uint32_t s, long line);
    // After New or Open: every section's view state back to the start, no breakpoints or profile.
    void programReplaced();
    void discardProfile();

    enum class Move { Up, Down, PageUp, PageDown, Home, End };
    void move(Move m, bool extend);
    // Wheel steps: positive moves down; page moves a page a step.
    void wheel(int steps, bool page);
    // The left button pressed at y: true when a line is there (it becomes the whole selection).
    bool pressAt(int y);
    // The mouse moved to y with the left button held: true when the selection changed.
    bool dragTo(int y);
    // The right button released at y: a line there becomes the current line.
    bool rightClickAt(int y);

    enum class Scroll { LineUp, LineDown, PageUp, PageDown, Top, Bottom, Thumb };
    void scroll(Scroll action, int position = 0);
    // The scroll bar's position, 0 to 100.
    int scrollPosition() const;

    // "Initialise - 3": the section and the 1-based current line.
    std::string sectionPaneText() const;

    // The rows to paint from the top line down, while each fits the client area (the first always).
    std::vector<RowPaint> paintRows() const;
    // The indentation before line n of the current section, cached for the top line.
    int indentationAt(long n) const;
    // The program changed where the view cannot see it: forget the cached indentation.
    void invalidateIndentation() const { indentCache_.valid = false; }

private:
    void say(std::string_view text, Icon icon);
    void setCurrent(long line, bool extend);
    void clearForEdit();
    long selectionSize();
    bool deleteOneLine();
    void loadCurrentLine();
    void shiftBreakpoints(long from, long by);
    bool isBreakpoint(long line) const;
    std::optional<std::vector<uint8_t>> encodeSelection();
    long lineAtY(int y) const;

    IdeState& ide_;
    std::array<SectionPlace, 5> places_{};
    std::array<long, 5> anchors_{};
    std::string searchText_;
    int width_ = 0;
    int height_ = 0;

    struct IndentCache {
        bool valid = false;
        uint32_t section = 0;
        const void* lines = nullptr;
        size_t count = 0;
        long line = 0;
        int value = 0;
    };
    mutable IndentCache indentCache_;
};

} // namespace qel
