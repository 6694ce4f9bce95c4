#include "app/blank_window.h"

#include "interpreter/interpreter.h"

#include <algorithm>

namespace qel {

std::unique_ptr<HeadlessWindow> BlankWindow::make(const WindowRequest& request, HeadlessHost& /*host*/)
{
    return std::make_unique<BlankWindow>(request.size);
}

void BlankWindow::attach(Interpreter& interpreter)
{
    interpreter_ = &interpreter;
    charge_.attach(interpreter);
}

void BlankWindow::runStarting()
{
    if (interpreter_)
        charge_.charge(PictureCharge::bytesFor(size_.width, size_.height));
    repaint();
}

void BlankWindow::repaint()
{
    if (interpreter_)
        interpreter_->paintEvent();
}

void BlankWindow::resize(WindowSize size)
{
    size = {std::clamp(size.width, 1, 10000), std::clamp(size.height, 1, 10000)};
    if (size == size_)
        return;
    const uint64_t bytes = PictureCharge::bytesFor(size.width, size.height);
    if (!charge_.affords(bytes))
        return;
    size_ = size;
    if (interpreter_)
        charge_.charge(bytes);
}

// Only WindowMaximise asks, and a program that holds it runs on a canvas.
WindowSize BlankWindow::maximisedSize() { return size_; }

Status BlankWindow::saveSnapshot(const std::string& path, std::unique_ptr<ReplacedOutput>& /*output*/)
{
    return Failure("qeltool: a run without a picture cannot keep one: " + path);
}

} // namespace qel
