#pragma once
// A section's stack of open blocks and calls: a fixed capacity of 4,000 frames of 16 bytes each.

#include "interpreter/dispatch.h"

#include <cstdint>
#include <vector>

namespace qel {

inline constexpr uint8_t kEventHandlerMarker = 127;
inline constexpr uint8_t kFormRequestMarker = 126;
inline constexpr uint32_t kCallFrame = 1; // frame kind of a call; blocks use their opening type code

struct StackFrame {
    LineCursor line;           // the line that opened the frame
    uint32_t kind = 0;         // 16 If, 45 While, 17 For, 1 call
    uint8_t marker = 0;        // call frames: the return type, 127 event handler, 126 form request
    uint8_t callerSection = 0; // call frames: the section current before the call
};

class CallStack {
public:
    static constexpr size_t kCapacity = 4000;

    CallStack() { frames_.reserve(kCapacity); }

    // False when the frame would fill the last slot: the stack has overflowed.
    bool push(const StackFrame& frame)
    {
        if (frames_.size() + 1 >= kCapacity)
            return false;
        frames_.push_back(frame);
        return true;
    }
    StackFrame pop()
    {
        StackFrame f = frames_.back();
        frames_.pop_back();
        return f;
    }
    const StackFrame& peek() const { return frames_.back(); }
    bool isEmpty() const { return frames_.empty(); }
    // Whether the top frame is one of that kind opened by that line.
    bool topIs(uint32_t kind, LineCursor line) const
    {
        return !frames_.empty() && frames_.back().kind == kind && frames_.back().line == line;
    }
    size_t size() const { return frames_.size(); }
    void clear() { frames_.clear(); }

private:
    std::vector<StackFrame> frames_;
};

} // namespace qel
