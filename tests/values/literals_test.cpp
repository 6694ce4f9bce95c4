#include "values/literals.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>

namespace qel {
namespace {

// Each message a check gives (none: accepted) with the texts that get it.
using Cases = std::vector<std::pair<LiteralMessage, std::vector<std::string>>>;

void expectMessages(LiteralMessage (*validate)(std::string_view), const Cases& cases)
{
    for (const auto& [expected, texts] : cases)
        for (const std::string& text : texts)
            EXPECT_EQ(validate(text), expected) << "text: " << text;
}

TEST(Literals, IntegerFloatingStringAndFileNameRules)
{
    expectMessages(validateInteger, {{std::nullopt, {"0", "+5", "-5", "2147483648"}},
                                     {kValueOutsideIntegerBounds, {"", "12345678901", "9999999999"}},
                                     {kMisplacedSign, {"1+2", "12-"}},
                                     {kNonNumericInInteger, {"12a", "1.0", "+"}}});
    EXPECT_EQ(integerLiteralInt32("+0042"), 42);
    EXPECT_EQ(integerLiteralInt32("2147483648"), 2147483647); // passes the float bound; saturates

    expectMessages(
        validateFloating,
        {{std::nullopt, {"1e38", "1e+5", "1e5", "-1.5E-38", ".5", "5.", "123456789012345678901234", "1e0000000000"}},
         {kExponentOutOfRange, {"1e39", "1e-39"}},
         {kNumericConstantTooLong, {"1234567890123456789012345", ""}},
         {kMultipleDecimalPoints, {"1.2.3"}},
         {kMisplacedSign, {"1-2"}},
         {kNonNumericInFloat, {"1x", ".", "e5"}},
         {kInvalidExponent, {"1e", "1e+", "1e5.0", "1e5e5"}}});
    EXPECT_EQ(floatingLiteralValue("+2.5e1"), 25.0f);
    EXPECT_EQ(floatingLiteralValue("9e38"), std::numeric_limits<float>::infinity());

    const std::string longest = "\"" + std::string(253, 'x') + "\"";
    expectMessages(validateString, {{std::nullopt, {"\"abc\"", "\"\"", "\"a\"b\"", longest}},
                                    {kStringTooLong, {longest + "x"}},
                                    {kStringNeedsQuotes, {"abc", "\"", "\"abc", ""}}});
    EXPECT_EQ(kStringNeedsQuotes, "A String must start and end with \" ");
    EXPECT_EQ(stringLiteralText("\"a\"b\""), "a\"b");

    EXPECT_EQ(validateBitmapFileName(std::string(255, 'b')), std::nullopt);
    EXPECT_EQ(validateBitmapFileName(std::string(256, 'b')), kValueTooLongForBitmap);
    EXPECT_EQ(validateFileName(std::string(256, 'f')), kValueTooLongForFilename);
    // The check of each variable type, 1 to 5.
    const std::string tooLong(256, 'b');
    EXPECT_EQ((std::vector{validateAs(1, "1.5"), validateAs(2, "1.5"), validateAs(3, tooLong), validateAs(4, "1.5"),
                           validateAs(5, tooLong)}),
              (std::vector<LiteralMessage>{kNonNumericInInteger, std::nullopt, kValueTooLongForBitmap,
                                           kStringNeedsQuotes, kValueTooLongForFilename}));
}

TEST(Literals, StoredFloatsReadBackExactly)
{
    for (float value : {0.0f, 0.1f, -2.5f, 1.2345678f, 16777216.0f, 3.4028235e38f, 1e-38f, 1e-39f, 1.4e-45f,
                        -1.1754942e-38f, std::numeric_limits<float>::infinity()}) {
        std::string text = floatingLiteralText(value);
        EXPECT_EQ(validateFloating(text), std::nullopt) << text;
        EXPECT_EQ(std::bit_cast<uint32_t>(floatingLiteralValue(text)), std::bit_cast<uint32_t>(value)) << text;
    }
    EXPECT_EQ(floatingLiteralText(0.1f), "0.1");
}

} // namespace
} // namespace qel
