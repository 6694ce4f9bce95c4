#pragma once
// The window of a run that never draws, writes text, prints or keeps a timer: it has a size and
// no picture. A repaint runs the Paint section as the canvas's does, and the run's memory budget
// pays for the picture it would hold, so the run goes exactly as it would on a canvas.

#include "app/headless_window.h"
#include "interpreter/picture_charge.h"

namespace qel {

class BlankWindow : public HeadlessWindow {
public:
    explicit BlankWindow(WindowSize size) : size_(size) {}
    static std::unique_ptr<HeadlessWindow> make(const WindowRequest& request, HeadlessHost& host);

    void attach(Interpreter& interpreter) override;
    WindowSize size() const override { return size_; }
    void runStarting() override;
    void eventRunStarting() override {}
    void repaint() override;
    void resize(WindowSize size) override;
    WindowSize maximisedSize() override;
    void paintEmptyNotice() override {}
    void runEnding(RunHost& /*host*/) override {}
    PageSink* printer() override { return nullptr; }
    [[nodiscard]] Status saveSnapshot(const std::string& path, std::unique_ptr<ReplacedOutput>& output) override;
    std::vector<std::string> foldersAfterStart() override { return {}; }

private:
    WindowSize size_;
    Interpreter* interpreter_ = nullptr;
    PictureCharge charge_;
};

} // namespace qel
