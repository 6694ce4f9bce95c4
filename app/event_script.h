#pragma once
// The event script of `qeltool run`: one event per line, applied in order.
//
//   key VK | char C | mouse down|up|rdown|rup|move X Y [L R] | timer | paint | resize W H | wait MS
//   continue | step | stop | answer ok|cancel|yes|no|retry | input TEXT | input | file PATH | file
//   form CAPTION click|select|type|close OBJECT [TEXT]
//   seed N | size W H (before every other event: the seed of Rand's generator for the run, 0 to
//   4294967295, and the window's size as the run starts, 1 to 10000 each way; a recorded run
//   begins with both)
//
// A form's caption and an object's name are one word, or any text in double quotes. OpenForm's
// modal User Form is the form "User Form": its objects are its rows by number and OK and Cancel.

#include "program/event_script_words.h"
#include "program/host.h"

#include <optional>
#include <string>
#include <string_view>

namespace qel {

struct ScriptEvent {
    enum class Kind {
        Key,
        Char,
        Mouse,
        Timer,
        Paint,
        Resize,
        Wait,
        Continue,
        Step,
        Stop,
        Answer,
        Input,
        File,
        Form,
        Seed,
        Size
    };
    using FormAction = qel::FormAction;
    Kind kind = Kind::Wait;
    int a = 0, b = 0, c = 0;          // key: VK; mouse: code, x, y; resize: w, h; wait: ms
    bool left = false, right = false; // mouse move: buttons held
    char character = 0;
    Button button = Button::Ok;
    // input: the reply (none: cancelled); file: the path chosen (none: cancelled); form: the text typed
    // or chosen
    std::optional<std::string> text;
    std::string caption, object; // form: the form's caption and the object's name
    FormAction action = FormAction::Click;
    uint32_t seed = 0;
};

struct ScriptError {
    int line = 0;
    std::string message;
};

// Script text is UTF-8; a `char` and an `input` reply reach the program as its 8-bit characters
// (Latin-1). What the parser says of a line it cannot take, followed by the line.
inline constexpr std::string_view kCannotReadEvent = "cannot read event: ";
inline constexpr std::string_view kNotUtf8 = "text is not UTF-8: ";
inline constexpr std::string_view kOutsideLatin1 = "character outside Latin-1 (U+0000 to U+00FF): ";
inline constexpr std::string_view kOneCharacter = "char takes one character: ";
// A line holding a control byte (NUL, ESC, ...): binary data is no script. The line is shown with
// each such byte as \xNN.
inline constexpr std::string_view kControlByte = "not a line of text (control byte): ";
inline constexpr std::string_view kBadSeed = "seed takes a whole number 0 to 4294967295: ";
inline constexpr std::string_view kSeedNotFirst = "seed and size must come before every other event: ";
inline constexpr std::string_view kBadSize = "size takes a width and a height, 1 to 10000: ";

// A seed as a script line and `qeltool run --seed` write it: decimal digits only, 0 to 4294967295.
std::optional<uint32_t> seedOfText(std::string_view text);

// A checked script whose events are parsed again one at a time as the run takes them, so that it
// holds no more than its text (at most 8 MB) however many events that text has.
class EventScript {
public:
    EventScript() = default;
    // Checks every line of text and keeps it; the first bad line is reported (the first 100 bytes
    // of a longer one), and the script is then left empty.
    [[nodiscard]] std::optional<ScriptError> load(std::string text);
    // The script's `seed` line, taken before the run starts; the events leave it out.
    std::optional<uint32_t> seed() const { return seed_; }
    // The script's `size` line (width, height), taken before the run starts.
    std::optional<std::pair<int, int>> size() const { return size_; }

    bool empty();
    const ScriptEvent& front(); // not empty
    void pop_front();

private:
    std::string text_;
    size_t at_ = 0;                   // where the lines not yet taken start
    std::optional<ScriptEvent> next_; // the event read ahead, not yet taken
    std::optional<uint32_t> seed_;
    std::optional<std::pair<int, int>> size_;
};

} // namespace qel
