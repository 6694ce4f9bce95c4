#include "runtime/bitmap_file.h"

#include "fileio/file_io.h"

#include <gtest/gtest.h>

#include <climits>
#include <initializer_list>

using namespace qel;

namespace {

constexpr uint32_t kBlack = 0xFF000000, kWhite = 0xFFFFFFFF, kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kBlue = 0xFF0000FF;

struct Bytes {
    std::vector<uint8_t> b;

    Bytes& raw(std::initializer_list<uint8_t> v)
    {
        b.insert(b.end(), v);
        return *this;
    }
    Bytes& u16(uint32_t v) { return raw({uint8_t(v), uint8_t(v >> 8)}); }
    Bytes& u32(uint32_t v) { return u16(v & 0xFFFF).u16(v >> 16); }
    // A colour-table entry (blue, green, red, reserved) from 0xRRGGBB.
    Bytes& quad(uint32_t rgb) { return raw({uint8_t(rgb), uint8_t(rgb >> 8), uint8_t(rgb >> 16), 0}); }
    Bytes& pad(size_t to)
    {
        b.resize(to);
        return *this;
    }
};

// The first 40 bytes of an information header; `size` is what its length field claims.
Bytes info(int32_t w, int32_t h, unsigned bits, uint32_t compression = 0, uint32_t colours = 0, uint32_t size = 40)
{
    Bytes i;
    i.u32(size).u32(uint32_t(w)).u32(uint32_t(h)).u16(1).u16(bits).u32(compression);
    i.u32(0).u32(0).u32(0).u32(colours).u32(0);
    return i;
}

std::vector<uint8_t> file(const Bytes& infoBlock, std::vector<uint8_t> pixels)
{
    Bytes f;
    auto offset = uint32_t(14 + infoBlock.b.size());
    f.raw({'B', 'M'}).u32(offset + uint32_t(pixels.size())).u32(0).u32(offset);
    f.b.insert(f.b.end(), infoBlock.b.begin(), infoBlock.b.end());
    f.b.insert(f.b.end(), pixels.begin(), pixels.end());
    return f.b;
}

// Decodes a heap copy of exactly `size` bytes, so the sanitizer sees any read past the end.
std::optional<DecodedBitmap> decodePrefix(const std::vector<uint8_t>& bytes, size_t size)
{
    std::vector<uint8_t> copy(bytes.begin(), bytes.begin() + std::ptrdiff_t(size));
    return decodeBitmapFile(copy);
}

std::vector<uint32_t> pixels(const std::vector<uint8_t>& bytes, int width, int height)
{
    std::optional<DecodedBitmap> b = decodeBitmapFile(bytes);
    if (!b)
        return {0xDEAD};
    EXPECT_EQ(b->width, width);
    EXPECT_EQ(b->height, height);
    return b->pixels;
}

const std::vector<uint8_t> kTwoByTwo24 = file(info(2, 2, 24), {0, 0, 0xFF, 0, 0xFF, 0, 0, 0,         // red green
                                                               0xFF, 0, 0, 0xFF, 0xFF, 0xFF, 0, 0}); // blue white

} // namespace

TEST(BitmapFile, IndexedDepthsReadTheirColourTable)
{
    // 1 bit, 3 wide: each row padded to 4 bytes, bottom row first.
    auto oneBit = file(info(3, 2, 1).quad(0xFF0000).quad(0x0000FF), {0xA0, 0, 0, 0, 0x40, 0, 0, 0});
    EXPECT_EQ(pixels(oneBit, 3, 2), (std::vector<uint32_t>{kRed, kBlue, kRed, kBlue, kRed, kBlue}));

    // A two-entry table: index 5 lies past it and reads as black.
    auto fourBit = file(info(3, 1, 4, 0, 2).quad(0xFF0000).quad(0x00FF00), {0x01, 0x50, 0, 0});
    EXPECT_EQ(pixels(fourBit, 3, 1), (std::vector<uint32_t>{kRed, kGreen, kBlack}));

    // Colour count 0 means a full 256-entry table.
    Bytes fullTable = info(3, 1, 8).quad(0xFF0000).pad(40 + 255 * 4).quad(0x0000FF);
    EXPECT_EQ(pixels(file(fullTable, {255, 0, 7, 0}), 3, 1), (std::vector<uint32_t>{kBlue, kRed, kBlack}));

    // The core header: 16-bit sizes and a table of three-byte entries.
    Bytes core;
    core.u32(12).u16(2).u16(1).u16(1).u16(1).raw({0, 0, 0xFF, 0xFF, 0xFF, 0xFF});
    EXPECT_EQ(pixels(file(core, {0x40, 0, 0, 0}), 2, 1), (std::vector<uint32_t>{kRed, kWhite}));
}

TEST(BitmapFile, DirectColourDepthsAndMasks)
{
    EXPECT_EQ(pixels(kTwoByTwo24, 2, 2), (std::vector<uint32_t>{kBlue, kWhite, kRed, kGreen}));
    std::vector<uint8_t> topDown = kTwoByTwo24;
    topDown[22] = 0xFE, topDown[23] = topDown[24] = topDown[25] = 0xFF; // height -2
    EXPECT_EQ(pixels(topDown, 2, 2), (std::vector<uint32_t>{kRed, kGreen, kBlue, kWhite}));

    // 16 bits without masks are 5-5-5; the top bit is unused.
    auto rgb555 = file(info(3, 1, 16), {0x00, 0x7C, 0xFF, 0x7F, 0x00, 0x80, 0, 0});
    EXPECT_EQ(pixels(rgb555, 3, 1), (std::vector<uint32_t>{kRed, kWhite, kBlack}));

    // 5-6-5 masks after a 40-byte header; components scale to the full range.
    auto rgb565 =
        file(info(3, 1, 16, 3).u32(0xF800).u32(0x07E0).u32(0x001F), {0x00, 0xF8, 0xE0, 0x07, 0x10, 0x84, 0, 0});
    EXPECT_EQ(pixels(rgb565, 3, 1), (std::vector<uint32_t>{kRed, kGreen, 0xFF848284}));

    // 32 bits: 8-8-8 ignoring the top byte, or masks held inside a V4 header.
    EXPECT_EQ(pixels(file(info(1, 1, 32), {0x11, 0x22, 0x33, 0x99}), 1, 1), std::vector<uint32_t>{0xFF332211});
    Bytes v4 = info(1, 1, 32, 3, 0, 108).u32(0xFF).u32(0xFF00).u32(0xFF0000).pad(108);
    EXPECT_EQ(pixels(file(v4, {0x11, 0x22, 0x33, 0x99}), 1, 1), std::vector<uint32_t>{0xFF112233});
}

TEST(BitmapFile, RunLengthEncodings)
{
    // Unwritten pixels keep entry 0 (green); runs past the right edge are dropped.
    Bytes table = info(4, 3, 8, 1, 4).quad(0x00FF00).quad(0xFF0000).quad(0x0000FF).quad(0xFFFFFF);
    auto rle8 = file(table, {5, 1, 0, 0,               // row 0: five reds, end of line
                             0, 3, 2, 3, 1, 0,         // row 1: absolute blue white red, padded
                             0, 2, 0, 1, 1, 2, 0, 1}); // delta down one row, one blue, end of bitmap
    EXPECT_EQ(pixels(rle8, 4, 3), (std::vector<uint32_t>{kGreen, kGreen, kGreen, kBlue, kBlue, kWhite, kRed, kGreen,
                                                         kRed, kRed, kRed, kRed}));

    Bytes table4 = info(6, 2, 4, 2, 6).quad(0x00FF00).quad(0xFF0000).quad(0x0000FF).quad(0xFFFFFF);
    table4.quad(0x123456).quad(0x654321);
    auto rle4 = file(table4, {6, 0x12, 0, 0,             // row 0: alternating 1 2
                              0, 5, 0x34, 0x51, 0x20, 0, // row 1: absolute 3 4 5 1 2, padded
                              1, 0x30, 0, 1});
    EXPECT_EQ(pixels(rle4, 6, 2), (std::vector<uint32_t>{kWhite, 0xFF123456, 0xFF654321, kRed, kBlue, kWhite, kRed,
                                                         kBlue, kRed, kBlue, kRed, kBlue}));

    // Data that stops early ends the picture; nothing is read past it.
    for (size_t size = rle8.size() - 1; size > 14 + table.b.size(); --size) {
        std::optional<DecodedBitmap> cut = decodePrefix(rle8, size);
        ASSERT_TRUE(cut);
        EXPECT_EQ(cut->pixels.size(), 12u);
    }
}

TEST(BitmapFile, RefusesFilesThatPromiseMoreThanTheyHold)
{
    // The last row needs no padding; any shorter prefix is refused.
    EXPECT_TRUE(decodePrefix(kTwoByTwo24, kTwoByTwo24.size() - 2));
    for (size_t size = 0; size < kTwoByTwo24.size() - 2; ++size)
        EXPECT_FALSE(decodePrefix(kTwoByTwo24, size)) << size;

    auto withOffset = [](uint32_t offset) {
        std::vector<uint8_t> f = kTwoByTwo24;
        f[10] = uint8_t(offset), f[11] = uint8_t(offset >> 8);
        return f;
    };
    EXPECT_FALSE(decodeBitmapFile(withOffset(uint32_t(kTwoByTwo24.size() + 1))));
    EXPECT_FALSE(decodeBitmapFile(withOffset(13)));
    EXPECT_FALSE(decodeBitmapFile(withOffset(14 + 39))); // information block shorter than its header

    std::vector<uint8_t> row(64);
    const std::vector<std::vector<uint8_t>> refused = {
        file(info(2, 1, 8, 0, 3).quad(0).quad(0), row), // colour table past the information block
        file(info(2, 1, 1).quad(0).quad(0), {}),        // no pixels at all
        file(info(0, 1, 24), row),
        file(info(-2, 1, 24), row),
        file(info(2, 0, 24), row),
        file(info(10001, 1, 24), std::vector<uint8_t>(30004)),
        file(info(1, -10001, 24), std::vector<uint8_t>(40004)),
        file(info(1, INT_MIN, 24), row),
        file(info(2, 1, 2).quad(0).quad(0).quad(0).quad(0), row), // no 2-bit depth
        file(info(2, 1, 24, 4), row),                             // JPEG
        file(info(2, 1, 4, 1).pad(40 + 64), row),                 // RLE8 needs 8 bits
        file(info(2, -1, 8, 1).pad(40 + 1024), {0, 1}),           // run-length data is bottom-up
        file(info(2, 1, 16, 3).u32(0xF800), row),                 // masks cut off
        file(info(2, 1, 24, 0, 0, 64).pad(64), row),              // unknown header size
        file(info(10000, 10000, 8, 1).pad(40 + 1024), {0, 1}),    // more pixels than the runs can fill
    };
    for (size_t i = 0; i < refused.size(); ++i)
        EXPECT_FALSE(decodeBitmapFile(refused[i])) << "case " << i;
}

// Missing, empty and undecodable files are refused through BitmapLoad's messages.
TEST(BitmapFile, ReadingFitsTheMemoryLeftAndStopsWhenAsked)
{
    std::string dir = ::testing::TempDir();
    ASSERT_TRUE(writeFileAtomically(dir + "good.bmp", kTwoByTwo24));
    BitmapReadResult good = readBitmapFile(dir + "good.bmp");
    ASSERT_EQ(good.status, BitmapReadStatus::Ok);
    EXPECT_EQ(good.bitmap.pixels, (std::vector<uint32_t>{kBlue, kWhite, kRed, kGreen}));

    // The file and its pixels must fit the memory left, together; a caller that gives up stops it.
    const uint64_t needed = kTwoByTwo24.size() + 4 * sizeof(uint32_t);
    EXPECT_EQ(readBitmapFile(dir + "good.bmp", needed).status, BitmapReadStatus::Ok);
    EXPECT_EQ(readBitmapFile(dir + "good.bmp", needed - 1).status, BitmapReadStatus::OutOfMemory);
    EXPECT_EQ(readBitmapFile(dir + "good.bmp", kTwoByTwo24.size() - 1).status, BitmapReadStatus::OutOfMemory);
    const std::atomic<bool> stop = true;
    EXPECT_EQ(readBitmapFile(dir + "good.bmp", UINT64_MAX, &stop).status, BitmapReadStatus::Stopped);
}
