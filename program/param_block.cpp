#include "program/param_block.h"

namespace qel {

ParamBlock ParamBlock::fromBody(std::span<const uint8_t> body)
{
    std::vector<uint8_t> bytes(4 + body.size());
    uint32_t n = static_cast<uint32_t>(body.size());
    std::memcpy(bytes.data(), &n, 4);
    if (!body.empty())
        std::memcpy(bytes.data() + 4, body.data(), body.size());
    return ParamBlock(std::move(bytes));
}

ParamBlock ParamBlock::fromBytes(std::vector<uint8_t> bytes)
{
    if (bytes.size() < 4)
        bytes.resize(4, 0);
    uint32_t n = static_cast<uint32_t>(bytes.size() - 4);
    std::memcpy(bytes.data(), &n, 4);
    return ParamBlock(std::move(bytes));
}

std::string_view ParamBlock::textAt(uint32_t offset) const
{
    if (offset < 4 || offset >= bytes_.size())
        return {};
    const auto* start = reinterpret_cast<const char*>(bytes_.data() + offset);
    const void* nul = std::memchr(start, 0, bytes_.size() - offset);
    if (!nul)
        return {};
    return std::string_view(start, static_cast<const char*>(nul) - start);
}

} // namespace qel
