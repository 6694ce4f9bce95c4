#include "program/instruction_table.h"
#include "program/keyword_table.h"

#include <gtest/gtest.h>

using namespace qel;

TEST(KeywordTable, LookupIgnoresCaseEveryKeywordRoundTripsAndInvalidCodesHaveNoKeyword)
{
    const KeywordTable& table = keywordTable();
    auto codes = [&](std::initializer_list<std::string_view> names) {
        std::vector<std::optional<uint32_t>> out;
        for (std::string_view name : names)
            out.push_back(table.lookupKeyword(name));
        return out;
    };
    EXPECT_EQ(codes({"drawline", "DRAWLINE", "DrawLine", "OpenForm2", "continue", "fpdispdigits"}),
              (std::vector<std::optional<uint32_t>>{8, 8, 8, 80, 54, 62}));
    // StepOn is a fixed text with no keyword; no keyword starts with H.
    EXPECT_EQ(codes({"Drawline2", "xyz", "9x", "", "Forms2Open", "StepOn", "Hello"}),
              std::vector<std::optional<uint32_t>>(7));
    ASSERT_EQ(table.entries().size(), 70u);
    for (const Keyword& k : table.entries()) {
        EXPECT_EQ(table.lookupKeyword(k.name), k.code) << k.name;
        EXPECT_EQ(table.keywordName(k.code), k.name);
        EXPECT_EQ(instructionInfo(k.code)->keyword, k.name);
    }

    for (uint32_t code : {5u, 6u, 7u, 18u, 20u, 22u, 41u, 44u, 51u, 81u, 99u, 1000u}) {
        EXPECT_FALSE(isValidLineType(code)) << code;
        const InstructionInfo* info = instructionInfo(code);
        EXPECT_TRUE(!info || info->keyword.empty()) << code;
    }
    EXPECT_EQ(instructionInfo(54)->fixedText, "ContinueLoop");
    EXPECT_EQ(instructionInfo(58)->fixedText, "StepOn");
}
