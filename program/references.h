#pragma once
// Which words of a block are references to its own bytes, and the check that each one really lies
// inside the block and ends with a NUL there. Blocks keep their references as offsets in memory as
// well as in files, so the two conversions of the line store leave the bytes untouched; what remains
// of them is the report for a type code that has no reference layout.

#include "program/host.h"
#include "program/param_block.h"

#include <cstdint>
#include <vector>

namespace qel {

// Appends the block offsets of the reference fields of a block of that type (fields that lie beyond
// the end of a short block are left out: they read as 0). False for a type with no layout.
bool referenceFieldOffsets(const ParamBlock& block, uint32_t type, std::vector<uint32_t>& out);

enum class BlockCheck { Ok, InvalidType, BadReference };

// Every non-zero reference must point inside the block at text whose NUL is inside the block.
BlockCheck checkReferences(const ParamBlock& block, uint32_t type);

// The line store's conversions: both report a type code without a layout ("Unhandled Restore" /
// "Unhandled Normalise") and return false; otherwise they succeed without changing the block.
bool GetLineOffsets(const ParamBlock& block, uint32_t type, MessageHost& host);
bool RemoveLineOffsets(const ParamBlock& block, uint32_t type, MessageHost& host);

// The two messages of a failed platform call: the notice, then the header and the detail.
void reportWindowsCallFailed(MessageHost& host, std::string_view detail);

} // namespace qel
