#include "app/headless_host.h"

#include "app/json_writer.h"
#include "interpreter/interpreter.h"
#include "runtime/draw_target.h"
#include "runtime/text_instructions.h"

#include <QGuiApplication>

#include <algorithm>
#include <thread>

namespace qel {

HeadlessHost::HeadlessHost(std::ostream& out, std::deque<ScriptEvent> script, double timeoutSeconds)
    : out_(out), script_(std::move(script)), started_(std::chrono::steady_clock::now()), timeoutSeconds_(timeoutSeconds)
{
}

Button HeadlessHost::showMessage(std::string_view text, Icon icon, Buttons buttons)
{
    out_ << "{\"message\": " << jsonString(text) << ", \"icon\": " << jsonString(iconName(icon)) << "}\n";
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

bool HeadlessHost::checkTimeout()
{
    if (timedOut_ || timeoutSeconds_ <= 0)
        return timedOut_;
    std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - started_;
    if (elapsed.count() > timeoutSeconds_) {
        timedOut_ = true;
        if (in_ && in_->isRunning())
            in_->stopRun();
    }
    return timedOut_;
}

void HeadlessHost::pumpEvents() { checkTimeout(); }

void HeadlessHost::waitForEvents()
{
    if (checkTimeout() || !in_)
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
        out_ << "{\"paused\": {\"section\": " << section << ", \"line\": " << line << "}}\n";
}

void HeadlessHost::runStarting()
{
    if (!target_)
        return;
    target_->state().resetForRun();
    repaint(); // the window is shown and painted once before the Initialise section runs
    applyTextAttributes(*target_);
}

void HeadlessHost::eventRunStarting()
{
    if (target_)
        applyTextAttributes(*target_);
}

void HeadlessHost::repaint()
{
    if (!target_)
        return;
    target_->painter().fillRect(QRect(QPoint(0, 0), target_->clientSize()), Qt::white);
    if (in_)
        in_->paintEvent();
}

void HeadlessHost::paintEmptyNotice()
{
    if (!target_)
        return;
    QPainter& p = target_->painter();
    const QRect area(QPoint(0, 0), target_->clientSize());
    p.fillRect(area, QColor(255, 255, 128));
    if (QGuiApplication::instance()) { // text needs the application's fonts
        p.setPen(Qt::black);
        p.drawText(area, Qt::AlignCenter | Qt::TextWordWrap,
                   "The PAINT section has been called, but it was found to be empty!\n\n Stop the program and add "
                   "code to the PAINT section,\n using the menu item View->Paint Section");
    }
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
        if (target_ && e.a > 0 && e.b > 0 && e.a <= 10000 && e.b <= 10000) {
            target_->end();
            target_->image() = QImage(e.a, e.b, QImage::Format_RGB32);
        }
        repaint();
        break;
    case K::Continue: in.continueRun(); break;
    case K::Step: in.singleStep(); break;
    case K::Stop:
        if (in.isRunning())
            in.stopRun();
        break;
    case K::Wait: {
        // Time passes as it would at the keyboard: the process sleeps, within the run's time limit.
        auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(e.a);
        if (timeoutSeconds_ > 0)
            until = std::min(until, started_ + std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                                                   std::chrono::duration<double>(timeoutSeconds_)));
        std::this_thread::sleep_until(until);
        checkTimeout();
        break;
    }
    case K::Answer: // an answer no message box asked for
    case K::Input: break;
    }
}

} // namespace qel
