#pragma once
// The keywords: each instruction's name, looked up without regard to case. The table keeps its
// historic order, grouped by first letter.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace qel {

struct Keyword {
    std::string_view name;
    uint32_t code;
};

class KeywordTable {
public:
    KeywordTable(); // built once, grouped by first letter

    // The type code of a keyword, compared without regard to case; nothing when the name is none.
    [[nodiscard]] std::optional<uint32_t> lookupKeyword(std::string_view name) const;
    // The name of the first entry with that code; empty when no keyword has it.
    std::string_view keywordName(uint32_t code) const;

    std::span<const Keyword> entries() const { return entries_; }

private:
    std::vector<Keyword> entries_;
    std::array<int, 26> firstOfLetter_{};
};

// The application's table; built on first use and never changed.
const KeywordTable& keywordTable();

} // namespace qel
