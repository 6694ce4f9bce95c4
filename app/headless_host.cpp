#include "app/headless_host.h"

#include "app/json_writer.h"
#include "app/run_watchdog.h"
#include "forms/object_names.h"
#include "instructions/documents/file_choice.h"
#include "interpreter/interpreter.h"
#include "messages/run_errors.h"

#include <algorithm>
#include <thread>

namespace qel {

namespace {

bool isUserFormEvent(const ScriptEvent& e)
{
    return e.kind == ScriptEvent::Kind::Form && sameTextIgnoringCase(e.caption, kUserFormCaption);
}

// The item of a list whose text the script gave: the same text, else the same ignoring case.
std::optional<size_t> itemNamed(const std::vector<std::string>& items, std::string_view text)
{
    for (size_t k = 0; k < items.size(); ++k)
        if (items[k] == text)
            return k;
    for (size_t k = 0; k < items.size(); ++k)
        if (sameTextIgnoringCase(items[k], text))
            return k;
    return std::nullopt;
}

} // namespace

HeadlessHost::HeadlessHost(std::ostream& out, EventScript script, double timeoutSeconds,
                           std::chrono::steady_clock::time_point started)
    : out_(out),
      script_(std::move(script)),
      started_(started),
      timeoutSeconds_(timeoutSeconds),
      forms_(*this, [this](std::string_view function) {
          if (in_)
              in_->formRequest(function);
      })
{}

void HeadlessHost::reportPrinted(const std::string& path, int pages)
{
    writeOutput("{\"printed\": " + jsonFileName(path) + ", \"pages\": " + std::to_string(pages) + "}");
}

void HeadlessHost::writeLine(const std::string& line)
{
    const std::lock_guard lock(outMutex_);
    out_ << line << '\n';
    out_.flush();
}

// A record of what the run does, counted against its output limit while it runs. The record that
// would pass the limit is not written; the run ends with the error at the next event pump, right
// after the line that wrote it.
void HeadlessHost::writeOutput(const std::string& line)
{
    if (takeOutput(line.size() + 1))
        writeLine(line);
}

// Counts bytes written while the run runs; false (and the run interrupted, to end with the error
// at its next event pump) once they pass the limit.
bool HeadlessHost::takeOutput(uint64_t bytes)
{
    if (!in_ || !in_->isRunning())
        return true;
    if (outputPassed_)
        return false;
    if (!in_->output().take(bytes)) {
        outputPassed_ = true;
        in_->requestInterrupt();
        return false;
    }
    return true;
}

bool HeadlessHost::writeLineWithin(const std::string& line, std::chrono::milliseconds wait)
{
    std::unique_lock lock(outMutex_, wait);
    if (!lock.owns_lock())
        return false;
    out_ << line << '\n';
    out_.flush();
    return true;
}

Button HeadlessHost::showMessage(std::string_view text, Icon icon, Buttons buttons)
{
    writeOutput("{\"message\": " + jsonString(text) + ", \"icon\": " + jsonString(iconName(icon)) + "}");
    // A box with a choice takes the script's answer when the next event gives one.
    if (buttons != Buttons::Ok && !script_.empty() && script_.front().kind == ScriptEvent::Kind::Answer) {
        Button b = script_.front().button;
        script_.pop_front();
        return b;
    }
    return defaultButton(buttons);
}

std::optional<std::string> HeadlessHost::inputBox(std::string_view, std::string_view)
{
    if (!script_.empty() && script_.front().kind == ScriptEvent::Kind::Input) {
        std::optional<std::string> reply = script_.front().text;
        script_.pop_front();
        return reply;
    }
    return std::nullopt;
}

void HeadlessHost::playSound(const std::string& path) { writeOutput("{\"sound\": " + jsonFileName(path) + "}"); }

void HeadlessHost::openDocument(const std::string& target, bool)
{
    writeOutput("{\"document\": " + jsonFileName(target) + "}");
}

std::optional<std::string> HeadlessHost::fileDialog(bool forOpening, const std::string& startFolder)
{
    const auto nextAnswer = [this]() -> std::optional<std::string> {
        if (script_.empty() || script_.front().kind != ScriptEvent::Kind::File)
            return std::nullopt;
        std::optional<std::string> typed = script_.front().text;
        script_.pop_front();
        return typed;
    };
    return chooseFile(nextAnswer, startFolder, forOpening, *this);
}

std::chrono::steady_clock::time_point HeadlessHost::deadline() const
{
    return deadlineAfter(started_, timeoutSeconds_);
}

void HeadlessHost::timeUp()
{
    timeUp_.store(true);
    if (in_)
        in_->requestInterrupt();
}

// Called at every event pump (every 10,000 lines, and after every line once the watchdog has
// interrupted the run) and between the script's events.
bool HeadlessHost::checkTimeout()
{
    if (timedOut_ || timeoutSeconds_ <= 0)
        return timedOut_;
    if (timeUp_.load() || std::chrono::steady_clock::now() > deadline()) {
        timedOut_ = true;
        if (in_) {
            const LineCursor at = in_->runningLine();
            timeoutSection_ = at.section;
            timeoutLine_ = at.index;
            if (in_->isRunning())
                in_->stopRun();
        }
    }
    return timedOut_;
}

bool HeadlessHost::endedByOutputLimit()
{
    if (!outputPassed_ || !in_ || !in_->isRunning())
        return false;
    in_->failRun(msg::kOutputLimitReached);
    return true;
}

void HeadlessHost::pumpEvents()
{
    if (!checkTimeout())
        (void)endedByOutputLimit();
}

void HeadlessHost::waitForEvents()
{
    if (checkTimeout() || endedByOutputLimit() || !in_)
        return;
    if (script_.empty()) {
        in_->stopRun(); // nobody is left to continue a paused run
        return;
    }
    ScriptEvent e = script_.front();
    script_.pop_front();
    apply(e);
}

void HeadlessHost::markPausedLine(uint32_t section, long line)
{
    if (line >= 0)
        writeOutput("{\"paused\": {\"section\": " + std::to_string(section) + ", \"line\": " + std::to_string(line) +
                    "}}");
}

void HeadlessHost::runStarting()
{
    // A deadline that passed while the run was being set up still interrupts it.
    if (timeUp_.load() && in_)
        in_->requestInterrupt();
    if (window_)
        window_->runStarting();
}

void HeadlessHost::eventRunStarting()
{
    if (window_)
        window_->eventRunStarting();
}

void HeadlessHost::repaint()
{
    if (window_)
        window_->repaint();
}

void HeadlessHost::resize(WindowSize size)
{
    if (window_ && size.width > 0 && size.height > 0 && size.width <= 10000 && size.height <= 10000)
        window_->resize(size);
    repaint();
}

// The variable list window a program opens: {"list": {"title": T, "columns": [...], "rows": [[...]]}}.
void HeadlessHost::showVariableList(const VariableListTable& table)
{
    std::string line;
    const auto strings = [&](const std::vector<std::string>& texts) {
        line += "[";
        for (size_t k = 0; k < texts.size(); ++k)
            line += (k ? ", " : "") + jsonString(texts[k]);
        line += "]";
    };
    line = "{\"list\": {\"title\": " + jsonString(table.title) + ", \"columns\": ";
    strings(table.columns);
    line += ", \"rows\": [";
    for (size_t r = 0; r < table.rows.size(); ++r) {
        line += r ? ", " : "";
        strings(table.rows[r]);
    }
    writeOutput(line + "]}}");
}

void HeadlessHost::paintEmptyNotice()
{
    if (window_)
        window_->paintEmptyNotice();
}

// Maximised, the window takes the screen's available area; restored, the size it had before.
bool HeadlessHost::setWindowMaximised(bool maximised)
{
    if (!window_)
        return true;
    if (maximised) {
        if (!restoredSize_)
            restoredSize_ = window_->size();
        resize(window_->maximisedSize());
    } else if (restoredSize_) {
        resize(*restoredSize_);
        restoredSize_.reset();
    }
    return true;
}

bool HeadlessHost::startTimer(uint32_t intervalMs)
{
    timerPeriod_ = std::chrono::milliseconds(std::max<uint32_t>(intervalMs, 1));
    nextTick_ = std::chrono::steady_clock::now() + timerPeriod_;
    return true;
}

void HeadlessHost::stopTimer() { timerPeriod_ = std::chrono::milliseconds(0); }

void HeadlessHost::runEnding()
{
    forms_.closeAll();
    if (window_)
        window_->runEnding(*this);
    stopTimer(); // no tick outlives the run
}

// Time passes as it would at the keyboard: the process sleeps, within the run's time limit, and the
// program's timer ticks meanwhile. Ticks missed while the Timer section ran are not made up.
void HeadlessHost::wait(std::chrono::milliseconds duration)
{
    using Clock = std::chrono::steady_clock;
    auto until = Clock::now() + duration;
    if (timeoutSeconds_ > 0)
        until = std::min(until, deadline());
    while (in_ && in_->isRunning() && timerPeriod_.count() > 0 && nextTick_ <= until) {
        std::this_thread::sleep_until(nextTick_);
        nextTick_ += timerPeriod_;
        in_->timerEvent(); // may stop or restart the timer, or end the run
        if (const auto now = Clock::now(); timerPeriod_.count() > 0 && nextTick_ < now)
            nextTick_ += ((now - nextTick_) / timerPeriod_ + 1) * timerPeriod_;
    }
    std::this_thread::sleep_until(until);
    checkTimeout();
}

void HeadlessHost::runScript()
{
    while (in_ && in_->isRunning() && !script_.empty() && !checkTimeout()) {
        ScriptEvent e = script_.front();
        script_.pop_front();
        apply(e);
        while (in_->isRunning() && in_->isPaused() && !checkTimeout())
            waitForEvents(); // a run paused by an event's handler waits for the script
    }
}

void HeadlessHost::apply(const ScriptEvent& e)
{
    using K = ScriptEvent::Kind;
    Interpreter& in = *in_;
    switch (e.kind) {
    case K::Key: in.keyDownEvent(e.a); break;
    case K::Char: in.charEvent(e.character); break;
    case K::Mouse: in.mouseEvent(e.a, e.b, e.c, e.left, e.right); break;
    case K::Timer: in.timerEvent(); break;
    case K::Paint: repaint(); break;
    case K::Resize:
        restoredSize_.reset();
        resize({e.a, e.b});
        break;
    case K::Continue: in.continueRun(); break;
    case K::Step: in.singleStep(); break;
    case K::Stop:
        if (in.isRunning())
            in.stopRun();
        break;
    case K::Wait: wait(std::chrono::milliseconds(e.a)); break;
    case K::Form: applyToForm(e); break;
    case K::Seed: // taken before the run started
    case K::Size:
    case K::Answer: // an answer no message box asked for
    case K::Input:
    case K::File: break;
    }
}

// What the user does to a form the program opened; anything the window could not deliver (no such
// form or object, a disabled or hidden control, a list without that item) is dropped.
void HeadlessHost::applyToForm(const ScriptEvent& e)
{
    using A = ScriptEvent::FormAction;
    const std::shared_ptr<RunForm> form = forms_.find(e.caption);
    if (!form)
        return;
    if (e.action == A::Close) {
        form->closeBox();
        return;
    }
    const std::optional<size_t> index = form->findObject(e.object);
    if (!index)
        return;
    const std::string text = e.text.value_or(std::string());
    switch (e.action) {
    case A::Click: form->click(*index); break;
    case A::Type: form->editText(*index, text); break;
    case A::Select: {
        std::vector<std::string> items;
        for (const ComboItem& item : form->control(*index).items)
            items.push_back(item.text);
        if (const std::optional<size_t> item = itemNamed(items, text))
            form->selectItem(*index, static_cast<int>(*item));
        break;
    }
    case A::Close: break;
    }
}

void HeadlessHost::showUserForm(UserForm& form)
{
    std::vector<std::string> texts = form.startingTexts();
    while (!checkTimeout()) {
        if (!script_.empty() && isUserFormEvent(script_.front())) {
            const ScriptEvent e = script_.front();
            script_.pop_front();
            if (applyToUserForm(e, form, texts))
                return;
            continue;
        }
        // Nothing more for the form in the script: OK with what it shows, Cancel when that is refused.
        if (form.ok(texts) || form.cancel())
            return;
    }
}

bool HeadlessHost::applyToUserForm(const ScriptEvent& e, UserForm& form, std::vector<std::string>& texts)
{
    using A = ScriptEvent::FormAction;
    if (e.action == A::Close)
        return form.cancel();
    if (e.action == A::Click) {
        if (sameTextIgnoringCase(e.object, kUserFormOk))
            return form.ok(texts);
        if (sameTextIgnoringCase(e.object, kUserFormCancel))
            return form.cancel();
        return false;
    }
    // The rows are numbered from 1; a list takes one of its items, an edit box (not a read-only one)
    // any text.
    const std::optional<int64_t> row = parseDecimal(e.object);
    if (!row || *row < 1 || static_cast<size_t>(*row) > form.rows.size())
        return false;
    const auto k = static_cast<size_t>(*row - 1);
    const UserFormRow& r = form.rows[k];
    const std::string text = e.text.value_or(std::string());
    if (r.kind == UserFormRow::Kind::List && e.action == A::Select) {
        if (const std::optional<size_t> item = itemNamed(r.items, text))
            texts[k] = r.items[*item];
    } else if ((r.kind == UserFormRow::Kind::Edit || r.kind == UserFormRow::Kind::Number) && e.action == A::Type) {
        texts[k] = text;
    }
    return false;
}

} // namespace qel
