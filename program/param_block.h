#pragma once
// A line's parameter block, kept exactly as it was read or built:
//
//   offset 0   u32   body length N (the bytes that follow this word)
//   offset 4   N     the body: the instruction's fixed fields, then its string area
//
// Reference fields hold byte offsets measured from offset 0 (the length word), 0 meaning none, both
// in files and in memory, so a block never needs converting and is written back byte for byte.
// Every accessor is bounds-checked: a field beyond the end of the block reads as 0 / empty.

#include <cstdint>
#include <cstring>
#include <span>
#include <string_view>
#include <vector>

namespace qel {

// The largest body an instruction builds and the reader accepts.
inline constexpr uint32_t kMaxBlockBody = 1021;

class ParamBlock {
public:
    ParamBlock() : bytes_(4, 0) {}
    static ParamBlock fromBody(std::span<const uint8_t> body);
    static ParamBlock fromBytes(std::vector<uint8_t> bytes); // bytes include the length word

    uint32_t bodyLength() const { return static_cast<uint32_t>(bytes_.size() - 4); }
    bool isEmpty() const { return bytes_.size() == 4; }
    std::span<const uint8_t> bytes() const { return bytes_; }
    std::span<const uint8_t> body() const { return std::span(bytes_).subspan(4); }

    uint32_t u32(size_t offset) const
    {
        if (offset + 4 > bytes_.size())
            return 0;
        uint32_t v;
        std::memcpy(&v, bytes_.data() + offset, 4);
        return v; // blocks are little-endian, as is every machine we build for
    }
    int32_t i32(size_t offset) const { return static_cast<int32_t>(u32(offset)); }
    float f32(size_t offset) const
    {
        uint32_t bits = u32(offset);
        float f;
        std::memcpy(&f, &bits, 4);
        return f;
    }
    uint8_t u8(size_t offset) const { return offset < bytes_.size() ? bytes_[offset] : 0; }

    // The NUL-terminated text a reference field points at; empty for 0 or a reference that does not
    // lie inside the block with its terminator.
    std::string_view textAt(uint32_t offset) const;
    // The text referred to by the reference field at fieldOffset.
    std::string_view textField(size_t fieldOffset) const { return textAt(u32(fieldOffset)); }

    bool operator==(const ParamBlock&) const = default;

private:
    explicit ParamBlock(std::vector<uint8_t> bytes) : bytes_(std::move(bytes)) {}
    std::vector<uint8_t> bytes_;
};

} // namespace qel
