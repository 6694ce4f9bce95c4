#pragma once
// The run loop's dispatch table: one handler per type code, filled from the instruction families'
// descriptors by the catalogue. A row nobody claims fails with "not available yet"; a code that
// names no instruction fails as a corrupt instruction chain.

#include "base/result.h"
#include "program/instruction_table.h"

#include <array>
#include <cstdint>
#include <string>
#include <type_traits>

namespace qel {

class LineContext;
class DecodeContext;
struct DecodedLine;

// Where a section's run is: a line of some section (a function declared elsewhere runs inside the
// calling section's run, so the line's section may differ from the run's).
struct LineCursor {
    uint32_t section = 0;
    uint32_t index = 0;
    bool operator==(const LineCursor&) const = default;
};

// What a handler that succeeded tells the loop.
enum class Flow : uint8_t {
    Next,       // on to the line after the cursor (a handler that jumps has moved the cursor)
    EndSection, // the section's run finishes normally
    Exit,       // ExitQEL: the run ends and the application closes
    Quit,       // PostQuitMessage: the run ends
};

// A line's outcome: how the run goes on, or the failure that ends the run at this line. Every line
// of a run returns one, so it is small and trivially copyable and travels in registers; the
// failure text it may carry belongs to whoever receives it, which is always the run loop (or a
// test), and is taken with takeFailure().
class [[nodiscard]] LineResult {
public:
    LineResult(Flow flow) : flow_(flow) {}
    LineResult(Failure failure) : text_(std::move(failure).release()) {}

    bool ok() const { return text_ == nullptr; }
    explicit operator bool() const { return ok(); }
    Flow operator*() const { return flow_; }
    Flow value() const { return flow_; }
    const std::string& failureText() const { return *text_; }
    // Takes the failure out (the result holds none afterwards).
    Failure failure() && { return takeFailure(); }
    Failure takeFailure()
    {
        std::string* text = text_;
        text_ = nullptr;
        return Failure::adopt(text);
    }

private:
    std::string* text_ = nullptr;
    Flow flow_ = Flow::Next;
};
static_assert(std::is_trivially_copyable_v<LineResult>);

using Handler = LineResult (*)(LineContext& line);
// Decodes a line for the run loop at run start (decoded_line.h): false when the line keeps to its
// handler.
using Decoder = bool (*)(const DecodeContext& line, DecodedLine& out);

class DispatchTable {
public:
    DispatchTable(); // every row fails: "not available yet", or the corrupt-chain error

    void set(uint32_t type, Handler handler) { rows_[type] = handler; }
    Handler at(uint32_t type) const { return type <= kLastLineType ? rows_[type] : corruptChain; }
    void setDecoder(uint32_t type, Decoder decoder) { decoders_[type] = decoder; }
    Decoder decoderAt(uint32_t type) const { return type <= kLastLineType ? decoders_[type] : nullptr; }

    static LineResult corruptChain(LineContext& line);
    static LineResult notAvailableYet(LineContext& line);

private:
    std::array<Handler, kLastLineType + 1> rows_{};
    std::array<Decoder, kLastLineType + 1> decoders_{};
};

} // namespace qel
