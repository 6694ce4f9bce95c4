#pragma once
// Run > Record Run: every event a run receives, in order, written as an event script that
// `qeltool run --events` replays to the same end. The seed and the window's size come first, then
// keys and characters, mouse actions, timer ticks (as `timer` lines, so a replay does not wait on
// the clock), resizes, Continue and Single Step, the answers given to message boxes, input boxes,
// file dialogs and the User Form, and what the user does to the run's forms. The script is
// written beside its name and put in place when the run ends (see fileio's atomic save).

#include "program/event_script_words.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qel {

struct UserForm;

class RunRecorder {
public:
    explicit RunRecorder(QString path) : path_(std::move(path)) {}

    const QString& path() const { return path_; }

    void start(uint32_t seed, int width, int height);
    void key(int code);
    void character(char c);
    void mouse(int code, int x, int y, bool left, bool right);
    void timer();
    void resize(int width, int height);
    void continued();
    void stepped();
    void answer(Button button);
    // The reply of an input box or a file dialog (none: cancelled); texts are the program's 8-bit ones.
    void input(const std::optional<std::string>& reply);
    void file(const std::optional<std::string>& path);
    // A control of a form window (objects by name; the text for type and select).
    void form(std::string_view caption, FormAction action, std::string_view object = {}, std::string_view text = {});
    // OK or Cancel pressed on the User Form with the rows showing `texts`: the rows changed since
    // the last press first, as a replay sets them.
    void userForm(const UserForm& form, const std::vector<std::string>& texts, bool ok);
    // A User Form opening: its rows start from their own texts.
    void userFormOpened(const UserForm& form);

    // Writes the script; false when it could not be saved.
    [[nodiscard]] bool save() const;

private:
    void line(const std::string& utf8);

    QString path_;
    std::string text_;
    std::vector<std::string> userFormTexts_; // what a replay's User Form shows now
};

} // namespace qel
