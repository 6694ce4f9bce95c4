#pragma once
// A large program of mixed instruction types for the benchmarks: lines laid out the way the editors
// lay them out (operand slots naming variables or holding numbers, texts in the string area).

#include "program/program.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace qel::bench {

// The file bytes of a program of `lines` lines spread over the five sections.
std::vector<uint8_t> makeProgramFile(size_t lines);

} // namespace qel::bench
