#pragma once
// Assembles program file bytes for the tests of the file format itself (everything else builds
// programs through the editors).

#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

namespace qel::test {

class FileBytes {
public:
    FileBytes& text(std::string_view t, std::string_view end = "\n")
    {
        bytes.insert(bytes.end(), t.begin(), t.end());
        bytes.insert(bytes.end(), end.begin(), end.end());
        return *this;
    }
    FileBytes& u32(uint32_t v)
    {
        uint8_t b[4];
        std::memcpy(b, &v, 4);
        bytes.insert(bytes.end(), b, b + 4);
        return *this;
    }
    FileBytes& raw(const std::vector<uint8_t>& body)
    {
        bytes.insert(bytes.end(), body.begin(), body.end());
        return *this;
    }
    // One line record: type, text, block length and body.
    FileBytes& line(uint32_t type, std::string_view t, const std::vector<uint8_t>& body = {})
    {
        u32(type).text(t).u32(static_cast<uint32_t>(body.size())).raw(body);
        return *this;
    }
    // A section holding only a comment line.
    FileBytes& commentSection(uint32_t number, std::string_view title) { return u32(number).line(3, title).u32(99); }

    std::vector<uint8_t> bytes;
};

} // namespace qel::test
