#pragma once
// A section's stack of open blocks and calls: a fixed capacity of 4,000 frames of 24 bytes each.

#include "interpreter/dispatch.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <type_traits>

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

// Frames are written into raw memory whole, as objects whose lifetime starts with their storage.
static_assert(std::is_trivially_copyable_v<StackFrame> && std::is_trivially_destructible_v<StackFrame>);

class CallStack {
public:
    static constexpr size_t kCapacity = 4000;

    // The frames live in one block made once, so a push is a store and a compare with no growth;
    // the block is left as the system gives it (untouched pages cost nothing) and each frame is
    // written whole when pushed. Its first slot holds a frame of no kind below the bottom one, so
    // that a look at the top frame needs no test of an empty stack.
    CallStack()
        : block_(std::make_unique_for_overwrite<std::byte[]>((kCapacity + 1) * sizeof(StackFrame))),
          bottom_(reinterpret_cast<StackFrame*>(block_.get()) + 1),
          top_(bottom_)
    {
        bottom_[-1] = StackFrame{};
    }

    // False when the frame would fill the last slot: the stack has overflowed.
    bool push(const StackFrame& frame)
    {
        if (top_ + 1 >= bottom_ + kCapacity)
            return false;
        *top_++ = frame;
        return true;
    }
    StackFrame pop() { return *--top_; }
    const StackFrame& peek() const { return top_[-1]; }
    bool isEmpty() const { return top_ == bottom_; }
    // Whether the top frame is one of that kind (not 0) opened by that line.
    bool topIs(uint32_t kind, LineCursor line) const { return peek().kind == kind && peek().line == line; }
    size_t size() const { return static_cast<size_t>(top_ - bottom_); }
    void clear() { top_ = bottom_; }

private:
    std::unique_ptr<std::byte[]> block_;
    StackFrame* bottom_;
    StackFrame* top_;
};

} // namespace qel
