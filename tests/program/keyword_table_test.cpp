#include "program/instruction_table.h"
#include "program/keyword_table.h"

#include <gtest/gtest.h>

using namespace qel;

TEST(KeywordTable, LookupIgnoresCaseAndRefusesNonKeywords)
{
    const KeywordTable& table = keywordTable();
    EXPECT_EQ(table.lookupKeyword("drawline"), 8u);
    EXPECT_EQ(table.lookupKeyword("DRAWLINE"), 8u);
    EXPECT_EQ(table.lookupKeyword("DrawLine"), 8u);
    EXPECT_EQ(table.lookupKeyword("Drawline2"), std::nullopt);
    EXPECT_EQ(table.lookupKeyword("xyz"), std::nullopt);
    EXPECT_EQ(table.lookupKeyword("9x"), std::nullopt);
    EXPECT_EQ(table.lookupKeyword(""), std::nullopt);
    EXPECT_EQ(table.lookupKeyword("Forms2Open"), std::nullopt);
    EXPECT_EQ(table.lookupKeyword("OpenForm2"), 80u);
    EXPECT_EQ(table.lookupKeyword("continue"), 54u);
    EXPECT_EQ(table.lookupKeyword("fpdispdigits"), 62u);
    EXPECT_EQ(table.lookupKeyword("StepOn"), std::nullopt); // a fixed text with no keyword
    EXPECT_EQ(table.lookupKeyword("Hello"), std::nullopt);  // no keyword starts with H
}

TEST(KeywordTable, EveryKeywordRoundTripsThroughItsCode)
{
    const KeywordTable& table = keywordTable();
    ASSERT_EQ(table.entries().size(), 70u);
    for (const Keyword& k : table.entries()) {
        EXPECT_EQ(table.lookupKeyword(k.name), k.code) << k.name;
        EXPECT_EQ(table.keywordName(k.code), k.name);
        EXPECT_EQ(instructionInfo(k.code)->keyword, k.name);
    }
    // Entries are grouped by first letter, so no letter appears in two runs.
    for (size_t i = 2; i < table.entries().size(); ++i) {
        char prev = table.entries()[i - 1].name[0], cur = table.entries()[i].name[0];
        if (prev == cur)
            continue;
        for (size_t j = 0; j + 1 < i; ++j) {
            EXPECT_NE(table.entries()[j].name[0], cur) << table.entries()[i].name;
        }
    }
}

TEST(InstructionTable, InvalidCodesHaveNoKeywordOrLayout)
{
    for (uint32_t code : {5u, 6u, 7u, 18u, 20u, 22u, 41u, 44u, 51u, 81u, 99u, 1000u}) {
        EXPECT_FALSE(isValidLineType(code)) << code;
        const InstructionInfo* info = instructionInfo(code);
        if (info) {
            EXPECT_TRUE(info->keyword.empty());
        }
    }
    EXPECT_TRUE(isValidLineType(0));
    EXPECT_TRUE(isValidLineType(58));
    EXPECT_EQ(instructionInfo(54)->fixedText, "ContinueLoop");
    EXPECT_EQ(instructionInfo(58)->fixedText, "StepOn");
    EXPECT_EQ(instructionInfo(80)->listLabel, "Forms2Open");
}
