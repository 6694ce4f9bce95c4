#pragma once
// Keywords and the short codes the Add An Instruction dialog expands as they are typed.

#include <array>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace qel {

struct Keyword {
    std::string_view name;
    uint32_t code;
};

struct Abbreviation {
    std::string_view code; // "dl"
    uint32_t type;         // 8
};

class KeywordTable {
public:
    KeywordTable(); // built once, grouped by first letter

    // The type code of a keyword, compared without regard to case; -1 when the name is none.
    int lookupKeyword(std::string_view name) const;
    // The name of the first entry with that code; empty when no keyword has it.
    std::string_view keywordName(uint32_t code) const;
    // The instruction a typed two- or three-letter short code stands for; -1 when none.
    int lookupAbbreviation(std::string_view typed) const;
    // The short code shown after a keyword in the lists ("DrawLine -dl"); empty when none.
    std::string_view abbreviationOf(uint32_t type) const;

    std::span<const Keyword> entries() const { return entries_; }
    std::span<const Abbreviation> abbreviations() const;

private:
    std::vector<Keyword> entries_;
    std::array<int, 26> firstOfLetter_{};
};

// The application's table; built on first use and never changed.
const KeywordTable& keywordTable();

} // namespace qel
