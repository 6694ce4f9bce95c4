#include "values/colours.h"
#include "values/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace qel {
namespace {

// The texts of values at one precision.
std::vector<std::string> formatted(std::initializer_list<float> values, uint32_t precision)
{
    std::vector<std::string> out;
    for (float value : values)
        out.push_back(formatNumber(value, precision));
    return out;
}

TEST(NumberText, FixedDecimalsDropTrailingZerosAndStringsReadTheirLeadingNumber)
{
    using Texts = std::vector<std::string>;
    EXPECT_EQ(formatted({2.5f, 3.0f, 0.00001f, 100.0f, -3.14159f}, 4), (Texts{"2.5", "3", "0", "100", "-3.1416"}));
    EXPECT_EQ(formatted({100.0f, 1234.7f}, 0), (Texts{"100", "1235"})); // no point, so the zeros stay
    EXPECT_EQ(formatNumber(0.126f, 2), "0.13");

    // Any precision fits the buffer; decimals past the float's own only add zeros.
    char buffer[kNumberTextCapacity];
    const float largest = std::numeric_limits<float>::max();
    EXPECT_EQ(std::string(buffer, formatNumberInto(buffer, largest, 100000)),
              "340282346638528859811704183484516925440");
    EXPECT_EQ(formatNumber(1.4e-45f, 1000).size(), 2u + 149u);

    EXPECT_EQ(formatted({100.0f, 0.1f, 1234567.0f, 0.00001f, -2.5f}, kGeneralPrecision),
              (Texts{"100", "0.1", "1.23457e+06", "1e-05", "-2.5"}));

    // The number at the start of a String's contents, as far as it reads as one.
    const float inf = std::numeric_limits<float>::infinity();
    const std::string nines = std::string(400, '9') + "e-500", tiny = "0." + std::string(400, '0') + "1e500";
    const std::string texts[] = {"1e3",  "",      "-12.5",  "1-2",    "+-",  "2e",
                                 ".5e1", "1e999", "-1e999", "1e-999", nines, tiny};
    const float values[] = {1000.0f, 0.0f, -12.5f, 1.0f, 0.0f, 2.0f, 5.0f, inf, -inf, 0.0f, 0.0f, inf};
    for (size_t k = 0; k < std::size(texts); ++k)
        EXPECT_EQ(leadingDecimalValue(texts[k]), values[k]) << texts[k].substr(0, 20);
}

// The colour list in its menu order, looked up both ways; unknown names and numbers find nothing.
TEST(Colours, ListOrderAndNumbers)
{
    std::string names;
    for (const auto& colour : colourList())
        names += std::string(colour.name) + "=" + std::to_string(colour.number) + ",";
    EXPECT_EQ(names, "Black=0,Grey=1,Blue=2,Light Blue=3,Red=8,Light Red=9,Green=4,Light Green=5,Yellow=12,"
                     "Light Yellow=13,Cyan=6,Light Cyan=7,Magenta=10,Light Magenta=11,White=14,Bright White=15,");
    EXPECT_EQ((std::vector<int>{int(*colourNumber("Light Red")), colourListIndex(8), colourListIndex(99)}),
              (std::vector<int>{9, 4, -1}));
    EXPECT_EQ(colourNumber("Pink"), std::nullopt);
    EXPECT_EQ(colourName(16), "");
}

} // namespace
} // namespace qel
