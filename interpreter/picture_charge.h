#pragma once
// What the run-time window's picture holds of the run's memory budget: four bytes a pixel of the
// client area, paid when a run starts and again, as the difference, when the window changes size.
// A budget's new run starts with nothing paid. The canvas and qeltool's window without a picture
// pay the same, so a program meets its memory limit at the same line in either.

#include <cstdint>

namespace qel {

class Interpreter;

class PictureCharge {
public:
    static uint64_t bytesFor(int width, int height)
    {
        return static_cast<uint64_t>(width) * static_cast<uint64_t>(height) * 4;
    }

    void attach(Interpreter& interpreter) { interpreter_ = &interpreter; }
    bool attached() const { return interpreter_ != nullptr; }
    // What the picture holds of the running budget.
    uint64_t charged() const;
    // The running budget pays for a picture of that many bytes instead of what it paid before.
    void charge(uint64_t bytes);
    // Whether the budget can pay for a picture of that many bytes in place of the present one.
    bool affords(uint64_t bytes) const;

private:
    Interpreter* interpreter_ = nullptr;
    uint64_t charged_ = 0;    // what the picture holds of the budget
    uint64_t chargedRun_ = 0; // in this run of it
};

} // namespace qel
