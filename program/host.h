#pragma once
// The ways the program model and everything above it reach the user. The Qt layer implements
// MessageHost with real message boxes; tests and qeltool record every message instead.

#include "base/notice.h"

#include <string>
#include <string_view>

namespace qel {

enum class Icon { None, Error, Exclamation, Information, Question };

enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel };

// Values of the buttons are the result codes programs see from MessageBox.
enum class Button { Ok = 1, Cancel = 2, Retry = 4, Yes = 6, No = 7 };

class MessageHost {
public:
    virtual ~MessageHost() = default;

    // A modal message box showing the text as it is (the program's own texts and the run's messages,
    // which programs and graders read); returns the button pressed.
    virtual Button showMessage(std::string_view text, Icon icon, Buttons buttons = Buttons::Ok) = 0;

    // A message of the environment itself (an editor's refusal, a confirmation, a file it could not
    // open), never the program's or its run's: the environment shows it in the user's language;
    // every other host shows noticeText(notice) through showMessage.
    virtual Button showNotice(const Notice& notice, Icon icon, Buttons buttons = Buttons::Ok);
    // The same for a text with at most one argument (an empty one is none).
    Button showNotice(std::string_view text, Icon icon, Buttons buttons = Buttons::Ok, std::string_view argument = {});
    Button showNotice(const char* text, Icon icon, Buttons buttons = Buttons::Ok, std::string_view argument = {})
    {
        return showNotice(std::string_view(text), icon, buttons, argument);
    }
    // A std::string is a text put together at run time, which no translation can know: give a Notice
    // its words and their parts instead.
    Button showNotice(const std::string& text, Icon icon, Buttons buttons = Buttons::Ok,
                      std::string_view argument = {}) = delete;

    // Whether Ctrl or Shift is held down at this moment (the file reader asks while reading AutoRun).
    virtual bool ctrlOrShiftHeld() { return false; }
};

// The button a message box gives when nobody is there to press one.
inline Button defaultButton(Buttons buttons)
{
    switch (buttons) {
    case Buttons::Ok:
    case Buttons::OkCancel: return Button::Ok;
    case Buttons::YesNo:
    case Buttons::YesNoCancel: return Button::Yes;
    case Buttons::RetryCancel: return Button::Retry;
    }
    return Button::Ok;
}

const char* iconName(Icon icon);

} // namespace qel
