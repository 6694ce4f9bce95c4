#include "values/colours.h"

namespace qel {

namespace {

constexpr ColourName kColours[] = {
    {"Black", 0},    {"Grey", 1},           {"Blue", 2},    {"Light Blue", 3},    {"Red", 8},  {"Light Red", 9},
    {"Green", 4},    {"Light Green", 5},    {"Yellow", 12}, {"Light Yellow", 13}, {"Cyan", 6}, {"Light Cyan", 7},
    {"Magenta", 10}, {"Light Magenta", 11}, {"White", 14},  {"Bright White", 15},
};

} // namespace

std::span<const ColourName> colourList() { return kColours; }

std::optional<uint32_t> colourNumber(std::string_view name)
{
    for (const ColourName& c : kColours)
        if (c.name == name)
            return c.number;
    return std::nullopt;
}

int colourListIndex(uint32_t number)
{
    for (size_t i = 0; i < std::size(kColours); ++i)
        if (kColours[i].number == number)
            return static_cast<int>(i);
    return -1;
}

std::string_view colourName(uint32_t number)
{
    int index = colourListIndex(number);
    return index < 0 ? std::string_view() : kColours[index].name;
}

std::vector<std::string> colourItems()
{
    std::vector<std::string> items;
    for (const ColourName& c : colourList())
        items.emplace_back(c.name);
    return items;
}

} // namespace qel
