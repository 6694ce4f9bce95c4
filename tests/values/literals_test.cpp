#include "values/literals.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>

namespace qel {
namespace {

struct Case {
    const char* text;
    LiteralMessage expected;
};

void expectMessages(LiteralMessage (*validate)(std::string_view), std::initializer_list<Case> cases)
{
    for (const Case& c : cases)
        EXPECT_EQ(validate(c.text), c.expected) << "text: " << c.text;
}

TEST(Literals, IntegerRules)
{
    expectMessages(validateInteger, {
                                        {"0", std::nullopt},
                                        {"+5", std::nullopt},
                                        {"-5", std::nullopt},
                                        {"2147483648", std::nullopt},
                                        {"", kValueOutsideIntegerBounds},
                                        {"12345678901", kValueOutsideIntegerBounds},
                                        {"9999999999", kValueOutsideIntegerBounds},
                                        {"1+2", kMisplacedSign},
                                        {"12-", kMisplacedSign},
                                        {"12a", kNonNumericInInteger},
                                        {"1.0", kNonNumericInInteger},
                                        {"+", kNonNumericInInteger},
                                    });
    EXPECT_EQ(integerLiteralInt32("+0042"), 42);
    EXPECT_EQ(integerLiteralInt32("2147483648"), 2147483647); // passes the float bound; saturates
}

TEST(Literals, FloatingRules)
{
    expectMessages(validateFloating, {
                                         {"1e38", std::nullopt},
                                         {"1e+5", std::nullopt},
                                         {"1e5", std::nullopt},
                                         {"-1.5E-38", std::nullopt},
                                         {".5", std::nullopt},
                                         {"5.", std::nullopt},
                                         {"123456789012345678901234", std::nullopt},
                                         {"1e39", kExponentOutOfRange},
                                         {"1e-39", kExponentOutOfRange},
                                         {"1e0000000000", std::nullopt},
                                         {"1234567890123456789012345", kNumericConstantTooLong},
                                         {"", kNumericConstantTooLong},
                                         {"1.2.3", kMultipleDecimalPoints},
                                         {"1-2", kMisplacedSign},
                                         {"1x", kNonNumericInFloat},
                                         {".", kNonNumericInFloat},
                                         {"e5", kNonNumericInFloat},
                                         {"1e", kInvalidExponent},
                                         {"1e+", kInvalidExponent},
                                         {"1e5.0", kInvalidExponent},
                                         {"1e5e5", kInvalidExponent},
                                     });
    EXPECT_EQ(floatingLiteralValue("+2.5e1"), 25.0f);
    EXPECT_EQ(floatingLiteralValue("9e38"), std::numeric_limits<float>::infinity());
}

TEST(Literals, StringAndFileNameRules)
{
    const std::string longest = "\"" + std::string(253, 'x') + "\"";
    expectMessages(validateString, {
                                       {"\"abc\"", std::nullopt},
                                       {"\"\"", std::nullopt},
                                       {"\"a\"b\"", std::nullopt},
                                       {longest.c_str(), std::nullopt},
                                       {"abc", kStringNeedsQuotes},
                                       {"\"", kStringNeedsQuotes},
                                       {"\"abc", kStringNeedsQuotes},
                                       {"", kStringNeedsQuotes},
                                   });
    EXPECT_EQ(validateString(longest + "x"), kStringTooLong);
    EXPECT_EQ(kStringNeedsQuotes, "A String must start and end with \" ");
    EXPECT_EQ(stringLiteralText("\"a\"b\""), "a\"b");

    EXPECT_EQ(validateBitmapFileName(std::string(255, 'b')), std::nullopt);
    EXPECT_EQ(validateBitmapFileName(std::string(256, 'b')), kValueTooLongForBitmap);
    EXPECT_EQ(validateFileName(std::string(256, 'f')), kValueTooLongForFilename);

    EXPECT_EQ(validateAs(1, "1.5"), kNonNumericInInteger);
    EXPECT_EQ(validateAs(2, "1.5"), std::nullopt);
    EXPECT_EQ(validateAs(3, std::string(256, 'b')), kValueTooLongForBitmap);
    EXPECT_EQ(validateAs(4, "1.5"), kStringNeedsQuotes);
    EXPECT_EQ(validateAs(5, std::string(256, 'f')), kValueTooLongForFilename);
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
