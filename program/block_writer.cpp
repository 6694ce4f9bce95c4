#include "program/block_writer.h"

#include <cstring>

namespace qel {

void BlockWriter::setU32(size_t offset, uint32_t value)
{
    if (offset + 4 > bytes_.size())
        bytes_.resize(offset + 4, 0);
    std::memcpy(bytes_.data() + offset, &value, 4);
}

void BlockWriter::setF32(size_t offset, float value)
{
    uint32_t bits;
    std::memcpy(&bits, &value, 4);
    setU32(offset, bits);
}

void BlockWriter::setU8(size_t offset, uint8_t value)
{
    if (offset >= bytes_.size())
        bytes_.resize(offset + 1, 0);
    bytes_[offset] = value;
}

uint32_t BlockWriter::addText(std::string_view text)
{
    auto offset = static_cast<uint32_t>(bytes_.size());
    bytes_.insert(bytes_.end(), text.begin(), text.end());
    bytes_.push_back(0);
    return offset;
}

} // namespace qel
