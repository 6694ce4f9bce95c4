#include "program/block_writer.h"
#include "program/references.h"
#include "support/recording_host.h"

#include <gtest/gtest.h>

using namespace qel;

namespace {

std::vector<uint32_t> fields(const ParamBlock& block, uint32_t type)
{
    std::vector<uint32_t> out;
    EXPECT_TRUE(referenceFieldOffsets(block, type, out));
    return out;
}

ParamBlock zeros(uint32_t body) { return BlockWriter(body).finish(); }

} // namespace

TEST(References, LayoutsFollowTheOperandSlotsAndDeclarationsInitialStringValues)
{
    EXPECT_EQ(fields(zeros(44), 28), (std::vector<uint32_t>{4, 8, 20, 28}));
    auto let = fields(zeros(8 + 4 * 44), 23);
    ASSERT_EQ(let.size(), 16u);
    EXPECT_EQ(let.front(), 8u);
    EXPECT_EQ(let.back(), 8u + 3 * 44 + 24);
    EXPECT_EQ(fields(zeros(100), 31), (std::vector<uint32_t>{4}));
    auto callUsing = fields(zeros(280), 61);
    ASSERT_EQ(callUsing.size(), 24u);
    EXPECT_EQ(std::vector<uint32_t>(callUsing.end() - 4, callUsing.end()), (std::vector<uint32_t>{236, 240, 252, 260}));
    EXPECT_EQ(fields(zeros(13 * 44), 75).size(), 52u);
    EXPECT_TRUE(fields(zeros(40), 3).empty());
    // A short block has no fields beyond its end.
    EXPECT_EQ(fields(zeros(10), 28), (std::vector<uint32_t>{4, 8}));

    // A DeclareVariable line's initial values are references only on a String line.
    BlockWriter w(48);
    w.setU32(4, 1);
    EXPECT_EQ(fields(w.finish(), 4), (std::vector<uint32_t>{20, 28, 36, 44}));
    w.setU32(4, 4);
    EXPECT_EQ(fields(w.finish(), 4), (std::vector<uint32_t>{20, 28, 36, 44, 24, 32, 40, 48}));
}

TEST(References, CheckFindsReferencesOutsideTheBlockOrWithoutTerminatorAndConversionsReportTypesWithoutLayout)
{
    BlockWriter w(48);
    w.setU32(4, 4);
    w.setU32(20, w.addText("name"));
    w.setI32(24, 7000); // an Integer initial value would be fine, but this is a String line
    EXPECT_EQ(checkReferences(w.finish(), 4), BlockCheck::BadReference);
    w.setU32(4, 1);
    EXPECT_EQ(checkReferences(w.finish(), 4), BlockCheck::Ok);
    w.setU32(20, 5000);
    EXPECT_EQ(checkReferences(w.finish(), 4), BlockCheck::BadReference);

    // Text running to the end of the block with no NUL.
    std::vector<uint8_t> body(48, 0);
    body[16] = 51; // name 1 -> block offset 51, the last byte
    body[47] = 'x';
    EXPECT_EQ(checkReferences(ParamBlock::fromBody(body), 4), BlockCheck::BadReference);
    body[47] = 0;
    EXPECT_EQ(checkReferences(ParamBlock::fromBody(body), 4), BlockCheck::Ok);
    EXPECT_EQ(checkReferences(ParamBlock(), 7), BlockCheck::InvalidType);

    test::RecordingHost host;
    EXPECT_TRUE(RemoveLineOffsets(zeros(44), 28, host));
    EXPECT_TRUE(host.messages.empty());
    EXPECT_FALSE(RemoveLineOffsets(zeros(0), 44, host));
    ASSERT_EQ(host.messages.size(), 2u);
    EXPECT_EQ(host.messages[1].text, "WINDOWS CALL FAILED\n\n::RemoveLineOffsets - Unhandled Normalise");
}
