#pragma once
// The run-time window of a headless run, as its host drives it: a size, the full repaint that runs
// the Paint section, and what belongs to pictures (the canvas, the printer, the kept picture).
// qeltool-full draws into a canvas (app/canvas_window.h); qeltool itself runs the programs that
// never draw, write text, print or keep a timer in a window with no picture (app/blank_window.h),
// without loading Qt's picture libraries at all.

#include "base/result.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace qel {

class HeadlessHost;
class Interpreter;
class PageSink;
class ReplacedOutput;
class RunHost;

struct WindowSize {
    int width = 0;
    int height = 0;
    friend bool operator==(const WindowSize&, const WindowSize&) = default;
};

class HeadlessWindow {
public:
    virtual ~HeadlessWindow() = default;

    // The run draws here from now on (when it draws at all).
    virtual void attach(Interpreter& interpreter) = 0;
    virtual WindowSize size() const = 0;
    // A run has been set up: the window is painted once before the Initialise section runs.
    virtual void runStarting() = 0;
    // An event's run begins with the window's text attributes.
    virtual void eventRunStarting() = 0;
    // Cleared and the Paint section run again.
    virtual void repaint() = 0;
    // The client area takes a new size (the caller repaints); the run's memory budget pays for it.
    virtual void resize(WindowSize size) = 0;
    // The client size of a maximised window: the screen's available area.
    virtual WindowSize maximisedSize() = 0;
    // The notice a run shows when its Paint section holds only its heading.
    virtual void paintEmptyNotice() = 0;
    // The run is over: the program's timer stops with it.
    virtual void runEnding(RunHost& host) = 0;
    virtual PageSink* printer() = 0;
    // The picture as it stands, as a PNG file (written through `output` when one is claimed).
    [[nodiscard]] virtual Status saveSnapshot(const std::string& path, std::unique_ptr<ReplacedOutput>& output) = 0;
    // The folders the window's libraries still read from once the run has begun (for --sandbox).
    virtual std::vector<std::string> foldersAfterStart() = 0;
};

// What the run asks of its window.
struct WindowRequest {
    WindowSize size;
    std::string printFolder;       // where printed pages go; empty: beside the program
    bool needsApplication = false; // it writes text, prints, keeps its picture or is sandboxed
};
using MakeWindow = std::unique_ptr<HeadlessWindow> (*)(const WindowRequest& request, HeadlessHost& host);

} // namespace qel
