#include "values/colours.h"
#include "values/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <set>

namespace qel {
namespace {

TEST(FormatNumber, FixedDecimalsDropTrailingZeros)
{
    EXPECT_EQ(formatNumber(2.5f, 4), "2.5");
    EXPECT_EQ(formatNumber(3.0f, 4), "3");
    EXPECT_EQ(formatNumber(0.00001f, 4), "0");
    EXPECT_EQ(formatNumber(100.0f, 4), "100");
    EXPECT_EQ(formatNumber(-3.14159f, 4), "-3.1416");
    EXPECT_EQ(formatNumber(100.0f, 0), "100"); // no point, so the zeros stay
    EXPECT_EQ(formatNumber(1234.7f, 0), "1235");
    EXPECT_EQ(formatNumber(0.126f, 2), "0.13");

    // Any precision fits the buffer; decimals past the float's own only add zeros.
    char buffer[kNumberTextCapacity];
    const float largest = std::numeric_limits<float>::max();
    EXPECT_EQ(std::string(buffer, formatNumberInto(buffer, largest, 100000)),
              "340282346638528859811704183484516925440");
    EXPECT_EQ(formatNumber(1.4e-45f, 1000).size(), 2u + 149u);
}

TEST(FormatNumber, GeneralForm)
{
    EXPECT_EQ(formatNumber(100.0f, kGeneralPrecision), "100");
    EXPECT_EQ(formatNumber(0.1f, kGeneralPrecision), "0.1");
    EXPECT_EQ(formatNumber(1234567.0f, kGeneralPrecision), "1.23457e+06");
    EXPECT_EQ(formatNumber(0.00001f, kGeneralPrecision), "1e-05");
    EXPECT_EQ(formatNumber(-2.5f, kGeneralPrecision), "-2.5");
}

TEST(NumberText, StringContentsAndTruncation)
{
    EXPECT_EQ(leadingDecimalValue("1e3"), 1000.0f);
    EXPECT_EQ(leadingDecimalValue(""), 0.0f);
    EXPECT_EQ(leadingDecimalValue("-12.5"), -12.5f);
    EXPECT_EQ(leadingDecimalValue("1-2"), 1.0f);
    EXPECT_EQ(leadingDecimalValue("+-"), 0.0f);
    EXPECT_EQ(leadingDecimalValue("2e"), 2.0f);
    EXPECT_EQ(leadingDecimalValue(".5e1"), 5.0f);
    EXPECT_EQ(leadingDecimalValue("1e999"), std::numeric_limits<float>::infinity());
    EXPECT_EQ(leadingDecimalValue("-1e999"), -std::numeric_limits<float>::infinity());
    EXPECT_EQ(leadingDecimalValue("1e-999"), 0.0f);
    EXPECT_EQ(leadingDecimalValue(std::string(400, '9') + "e-500"), 0.0f);
    EXPECT_EQ(leadingDecimalValue("0." + std::string(400, '0') + "1e500"), std::numeric_limits<float>::infinity());
}

TEST(Colours, ListOrderAndNumbers)
{
    auto list = colourList();
    ASSERT_EQ(list.size(), 16u);
    const char* order[] = {"Black",   "Grey",          "Blue",   "Light Blue",   "Red",  "Light Red",
                           "Green",   "Light Green",   "Yellow", "Light Yellow", "Cyan", "Light Cyan",
                           "Magenta", "Light Magenta", "White",  "Bright White"};
    std::set<uint32_t> numbers;
    for (size_t i = 0; i < list.size(); ++i) {
        EXPECT_EQ(list[i].name, order[i]);
        numbers.insert(list[i].number);
    }
    EXPECT_EQ(numbers.size(), 16u);
    EXPECT_EQ(*numbers.rbegin(), 15u);
    EXPECT_EQ(colourNumber("Light Red"), 9u);
    EXPECT_EQ(colourNumber("Yellow"), 12u);
    EXPECT_EQ(colourNumber("Pink"), std::nullopt);
    EXPECT_EQ(colourName(13), "Light Yellow");
    EXPECT_EQ(colourName(16), "");
    EXPECT_EQ(colourListIndex(8), 4);
    EXPECT_EQ(colourListIndex(99), -1);
}

} // namespace
} // namespace qel
