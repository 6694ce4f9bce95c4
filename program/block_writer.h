#pragma once
// Builds a parameter block the way every editor does: a fixed part of known size, whose fields are
// set by offset, followed by a string area filled front to back. Offsets are measured from the
// length word, as stored.

#include "program/param_block.h"

#include <string_view>
#include <vector>

namespace qel {

class BlockWriter {
public:
    // fixedBodySize: the number of body bytes before the string area.
    explicit BlockWriter(uint32_t fixedBodySize) : bytes_(4 + fixedBodySize, 0) {}

    void setU32(size_t offset, uint32_t value);
    void setI32(size_t offset, int32_t value) { setU32(offset, static_cast<uint32_t>(value)); }
    void setF32(size_t offset, float value);
    void setU8(size_t offset, uint8_t value);

    // Appends text and its NUL to the string area; returns the text's offset.
    uint32_t addText(std::string_view text);

    uint32_t bodyLength() const { return static_cast<uint32_t>(bytes_.size() - 4); }
    // Whether the block fits the EditBuffer (no more than kMaxBlockBody body bytes).
    bool fits() const { return bodyLength() <= kMaxBlockBody; }

    ParamBlock finish() const { return ParamBlock::fromBytes(bytes_); }

private:
    std::vector<uint8_t> bytes_;
};

} // namespace qel
