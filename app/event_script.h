#pragma once
// The event script of `qeltool run`: one event per line, applied in order.
//
//   key VK | char C | mouse down|up|rdown|rup|move X Y [L R] | timer | paint | resize W H | wait MS
//   continue | step | stop | answer ok|cancel|yes|no|retry | input TEXT | input
//   form CAPTION click|select|type|close OBJECT [TEXT]
//
// A form's caption and an object's name are one word, or any text in double quotes. OpenForm's
// modal User Form is the form "User Form": its objects are its rows by number and OK and Cancel.

#include "program/host.h"

#include <deque>
#include <istream>
#include <optional>
#include <string>

namespace qel {

struct ScriptEvent {
    enum class Kind { Key, Char, Mouse, Timer, Paint, Resize, Wait, Continue, Step, Stop, Answer, Input, Form };
    enum class FormAction { Click, Select, Type, Close };
    Kind kind = Kind::Wait;
    int a = 0, b = 0, c = 0;          // key: VK; mouse: code, x, y; resize: w, h; wait: ms
    bool left = false, right = false; // mouse move: buttons held
    char character = 0;
    Button button = Button::Ok;
    std::optional<std::string> text; // input: the reply (none: cancelled); form: the text typed or chosen
    std::string caption, object;     // form: the form's caption and the object's name
    FormAction action = FormAction::Click;
};

struct ScriptError {
    int line = 0;
    std::string message;
};

// Parses a whole script; the first bad line is reported.
std::optional<ScriptError> parseEventScript(std::istream& in, std::deque<ScriptEvent>& out);

} // namespace qel
