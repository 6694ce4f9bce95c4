#pragma once
// A section's stack of open blocks and calls: a fixed capacity of 4,000 frames of 24 bytes each.

#include "interpreter/dispatch.h"

#include <cstddef>
#include <cstdint>
#include <memory>

namespace qel {

inline constexpr uint8_t kEventHandlerMarker = 127;
inline constexpr uint8_t kFormRequestMarker = 126;
inline constexpr uint32_t kCallFrame = 1; // frame kind of a call; blocks use their opening type code

struct DecodedLine;

struct StackFrame {
    LineCursor line;           // the line that opened the frame
    uint32_t kind = 0;         // 16 If, 45 While, 17 For, 1 call
    uint8_t marker = 0;        // call frames: the return type, 127 event handler, 126 form request
    uint8_t callerSection = 0; // call frames: the section current before the call
    // A call the run loop made from the Call line's decoded form, of a function that returns a
    // value into a number: that form, where a decoded Return finds the number (decoded_line.h).
    const DecodedLine* call = nullptr;
};

class CallStack {
public:
    static constexpr size_t kCapacity = 4000;

    // The frames live in one block made once, so a push is a store and a compare with no growth.
    CallStack() : frames_(std::make_unique_for_overwrite<StackFrame[]>(kCapacity)), top_(frames_.get()) {}

    // False when the frame would fill the last slot: the stack has overflowed.
    bool push(const StackFrame& frame)
    {
        if (top_ + 1 >= frames_.get() + kCapacity)
            return false;
        *top_++ = frame;
        return true;
    }
    StackFrame pop() { return *--top_; }
    const StackFrame& peek() const { return top_[-1]; }
    bool isEmpty() const { return top_ == frames_.get(); }
    // Whether the top frame is one of that kind opened by that line.
    bool topIs(uint32_t kind, LineCursor line) const
    {
        return !isEmpty() && peek().kind == kind && peek().line == line;
    }
    size_t size() const { return static_cast<size_t>(top_ - frames_.get()); }
    void clear() { top_ = frames_.get(); }

private:
    std::unique_ptr<StackFrame[]> frames_;
    StackFrame* top_;
};

} // namespace qel
