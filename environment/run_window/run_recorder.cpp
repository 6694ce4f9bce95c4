#include "environment/run_window/run_recorder.h"

#include "fileio/file_io.h"
#include "interpreter/run_host.h"
#include "runtime/latin1.h"

#include <QFile>

namespace qel {

namespace {

std::string utf8(std::string_view programText) { return toQString(programText).toUtf8().toStdString(); }

// A form's caption or an object's name: one word as it is, anything else in double quotes.
std::string name(std::string_view programText)
{
    const bool word =
        !programText.empty() && programText.find(' ') == std::string_view::npos && programText.front() != '"';
    return word ? utf8(programText) : "\"" + utf8(programText) + "\"";
}

std::string_view buttonWord(Button button)
{
    for (const auto& [word, b] : kButtonWords)
        if (b == button)
            return word;
    return kButtonWords[0].first;
}

std::string reply(std::string_view verb, const std::optional<std::string>& text)
{
    return text ? std::string(verb) + " " + utf8(*text) : std::string(verb);
}

} // namespace

void RunRecorder::line(const std::string& utf8Line) { text_ += utf8Line + "\n"; }

void RunRecorder::start(uint32_t seed, int width, int height)
{
    line("seed " + std::to_string(seed));
    line("size " + std::to_string(width) + " " + std::to_string(height));
}

void RunRecorder::key(int code) { line("key " + std::to_string(code)); }

void RunRecorder::character(char c) { line("char " + utf8(std::string_view(&c, 1))); }

void RunRecorder::mouse(int code, int x, int y, bool left, bool right)
{
    if (code < 1 || code > static_cast<int>(std::size(kMouseWords)))
        return;
    std::string text =
        "mouse " + std::string(kMouseWords[code - 1]) + " " + std::to_string(x) + " " + std::to_string(y);
    if (left || right)
        text += std::string(left ? " 1" : " 0") + (right ? " 1" : " 0");
    line(text);
}

void RunRecorder::timer() { line("timer"); }

void RunRecorder::resize(int width, int height)
{
    line("resize " + std::to_string(width) + " " + std::to_string(height));
}

void RunRecorder::continued() { line("continue"); }

void RunRecorder::stepped() { line("step"); }

void RunRecorder::answer(Button button) { line("answer " + std::string(buttonWord(button))); }

void RunRecorder::input(const std::optional<std::string>& text) { line(reply("input", text)); }

void RunRecorder::file(const std::optional<std::string>& path) { line(reply("file", path)); }

void RunRecorder::form(std::string_view caption, FormAction action, std::string_view object, std::string_view text)
{
    std::string out = "form " + name(caption) + " " + std::string(kFormActionWords[static_cast<size_t>(action)]);
    if (action != FormAction::Close)
        out += " " + name(object);
    if (action == FormAction::Select || action == FormAction::Type)
        out += " " + utf8(text);
    line(out);
}

void RunRecorder::userFormOpened(const UserForm& form) { userFormTexts_ = form.startingTexts(); }

void RunRecorder::userForm(const UserForm& form, const std::vector<std::string>& texts, bool ok)
{
    const std::string caption(kUserFormCaption);
    if (ok) {
        for (size_t k = 0; k < form.rows.size() && k < texts.size() && k < userFormTexts_.size(); ++k) {
            if (texts[k] == userFormTexts_[k])
                continue;
            const UserFormRow::Kind kind = form.rows[k].kind;
            if (kind == UserFormRow::Kind::ReadOnly)
                continue;
            userFormTexts_[k] = texts[k];
            this->form(caption, kind == UserFormRow::Kind::List ? FormAction::Select : FormAction::Type,
                       std::to_string(k + 1), texts[k]);
        }
    }
    this->form(caption, FormAction::Click, ok ? kUserFormOk : kUserFormCancel);
}

bool RunRecorder::save() const
{
    return writeFileAtomically(QFile::encodeName(path_).toStdString(),
                               std::span(reinterpret_cast<const uint8_t*>(text_.data()), text_.size()));
}

} // namespace qel
