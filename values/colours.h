#pragma once
// The 16 program colours as the colour lists show them: names in the lists' order, each with the
// colour number a line stores (an index into the run's colour table).

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace qel {

struct ColourName {
    std::string_view name;
    uint32_t number;
};

// In list order: Black, Grey, Blue, Light Blue, Red, ..., White, Bright White.
std::span<const ColourName> colourList();

// The names in list order, as a colour list's items.
std::vector<std::string> colourItems();

// The number of a listed name (exact text); nothing for any other text.
std::optional<uint32_t> colourNumber(std::string_view name);
// The name of a colour number; empty for a number that is no colour.
std::string_view colourName(uint32_t number);
// The list position of a stored number (the entry selected when a line is edited again); -1 when
// no entry has it.
int colourListIndex(uint32_t number);

} // namespace qel
