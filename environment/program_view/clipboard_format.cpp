#include "environment/program_view/clipboard_format.h"

#include "program/references.h"

#include <cstring>

namespace qel {

namespace {

std::string_view textOf(const ProgramLine& line)
{
    std::string_view text = line.text;
    text = text.substr(0, std::min(text.find('\0'), kMaxLineText));
    return text;
}

// Writes into an item sized beforehand.
class Writer {
public:
    explicit Writer(std::vector<uint8_t>& out) : out_(out) {}
    void u32(uint32_t v) { put(&v, 4); } // little-endian, as every block is
    void put(const void* bytes, size_t n)
    {
        if (n > 0)
            std::memcpy(out_.data() + pos_, bytes, n);
        pos_ += n;
    }

private:
    std::vector<uint8_t>& out_;
    size_t pos_ = 0;
};

// Reads the item front to back; every read says whether the bytes were there.
class Reader {
public:
    explicit Reader(std::span<const uint8_t> bytes) : bytes_(bytes) {}

    bool u32(uint32_t& v)
    {
        if (bytes_.size() - pos_ < 4)
            return false;
        std::memcpy(&v, bytes_.data() + pos_, 4);
        pos_ += 4;
        return true;
    }
    bool text(std::string& out)
    {
        const auto* start = bytes_.data() + pos_;
        const void* nul = std::memchr(start, 0, bytes_.size() - pos_);
        if (!nul)
            return false;
        size_t length = static_cast<const uint8_t*>(nul) - start;
        out.assign(reinterpret_cast<const char*>(start), length);
        pos_ += length + 1;
        return true;
    }
    bool bytes(size_t n, std::span<const uint8_t>& out)
    {
        if (bytes_.size() - pos_ < n)
            return false;
        out = bytes_.subspan(pos_, n);
        pos_ += n;
        return true;
    }

private:
    std::span<const uint8_t> bytes_;
    size_t pos_ = 0;
};

ClipboardDecode refused(std::string why) { return {{}, std::move(why)}; }

} // namespace

std::vector<uint8_t> encodeClipboardLines(std::span<const ProgramLine> lines)
{
    size_t size = 4;
    for (const ProgramLine& line : lines)
        size += textOf(line).size() + 1 + line.block.bodyLength() + 8;
    std::vector<uint8_t> out(size);
    Writer w(out);
    w.u32(static_cast<uint32_t>(lines.size()));
    for (const ProgramLine& line : lines) {
        std::string_view text = textOf(line);
        w.put(text.data(), text.size());
        w.put("", 1);
        w.u32(line.type);
        auto block = line.block.bytes(); // the length word, then the body
        w.put(block.data(), block.size());
    }
    return out;
}

ClipboardDecode decodeClipboardLines(std::span<const uint8_t> bytes)
{
    Reader in(bytes);
    uint32_t count = 0;
    if (!in.u32(count))
        return refused("The clipboard item has no line count.");
    if (count < 1 || count > kMaxClipboardLines)
        return refused("The clipboard item's line count is out of range.");
    ClipboardDecode result;
    result.lines.reserve(count);
    for (uint32_t i = 0; i < count; ++i) {
        ProgramLine line;
        uint32_t bodyLength = 0;
        std::span<const uint8_t> body;
        if (!in.text(line.text) || !in.u32(line.type) || !in.u32(bodyLength))
            return refused("The clipboard item ends inside a line.");
        if (line.text.size() > kMaxLineText)
            return refused("A line's text on the clipboard is too long.");
        if (bodyLength > kMaxBlockBody || !in.bytes(bodyLength, body))
            return refused("A block on the clipboard is too long or cut short.");
        line.block = ParamBlock::fromBody(body);
        switch (checkReferences(line.block, line.type)) {
        case BlockCheck::Ok: break;
        case BlockCheck::InvalidType: return refused("A line on the clipboard has an unknown type code.");
        case BlockCheck::BadReference: return refused("A block on the clipboard is corrupt.");
        }
        result.lines.push_back(std::move(line));
    }
    // Bytes after the last line are tolerated: the system's clipboard may round an item's size up.
    return result;
}

} // namespace qel
