#pragma once
// The clipboard item of copied program lines, registered as "BrenmoorQEL":
//
//   u32    count K, 1 to 999
//   K times:
//     bytes  the line's display text, NUL-terminated
//     u32    type code
//     u32    block body length N
//     N      block body, references as offsets from the length word
//
// The item is exactly 4 + sum(text length + 1) + sum(N + 8) bytes. Decoding trusts nothing: every
// length is checked against the bytes that are there, and every block's references are checked, so a
// damaged or foreign item is refused instead of being read past its end or pasted.

#include "program/program.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace qel {

inline constexpr std::string_view kClipboardFormatName = "BrenmoorQEL";
inline constexpr uint32_t kMaxClipboardLines = 999;

// The item holding these lines (1 to 999 of them). A text stops at its first NUL.
std::vector<uint8_t> encodeClipboardLines(std::span<const ProgramLine> lines);

struct ClipboardDecode {
    std::vector<ProgramLine> lines;
    std::string error; // empty when the item was sound
    bool ok() const { return error.empty(); }
};

// The lines of an item, or why it was refused (then no lines at all).
ClipboardDecode decodeClipboardLines(std::span<const uint8_t> bytes);

} // namespace qel
