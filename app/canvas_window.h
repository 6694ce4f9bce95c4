#pragma once
// The window of a run that may draw: the run-time canvas, the printer (PDF files in the print
// folder, counted against the run's output limit and reported as records) and the kept picture.

#include "app/headless_window.h"
#include "runtime/pdf_pages.h"
#include "runtime/run_canvas.h"

namespace qel {

class CanvasWindow : public HeadlessWindow {
public:
    CanvasWindow(const WindowRequest& request, HeadlessHost& host);
    static std::unique_ptr<HeadlessWindow> make(const WindowRequest& request, HeadlessHost& host);

    RunCanvas& canvas() { return canvas_; }

    void attach(Interpreter& interpreter) override { canvas_.attach(interpreter); }
    WindowSize size() const override;
    void runStarting() override { canvas_.runStarting(); }
    void eventRunStarting() override;
    void repaint() override { canvas_.repaint(); }
    void resize(WindowSize size) override;
    WindowSize maximisedSize() override;
    void paintEmptyNotice() override { canvas_.paintEmptyNotice(); }
    void runEnding(RunHost& host) override;
    PageSink* printer() override { return &pdf_; }
    [[nodiscard]] Status saveSnapshot(const std::string& path, std::unique_ptr<ReplacedOutput>& output) override;
    // Qt's plugins, the fonts and their configuration. What can be loaded beforehand (the font
    // list, a first drawing of text, the image formats) is loaded now, so that as little as
    // possible is read later.
    std::vector<std::string> foldersAfterStart() override;

private:
    RunCanvas canvas_;
    PdfPages pdf_;
};

} // namespace qel
