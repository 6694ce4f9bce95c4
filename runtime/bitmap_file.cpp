#include "runtime/bitmap_file.h"

#include "fileio/file_io.h"

#include <algorithm>
#include <atomic>
#include <bit>

namespace qel {

namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr size_t kPixelOffsetAt = 10;
constexpr size_t kCoreHeaderSize = 12;
constexpr size_t kInfoHeaderSize = 40;
constexpr size_t kMaskBytes = 12;

enum Compression : uint32_t { kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3 };

// An RLE pair writes at most 255 pixels; a picture larger than its data could fill that way is
// refused rather than allocated.
constexpr uint64_t kRlePixelsPerByte = 128;

constexpr uint32_t kOpaque = 0xFF000000u;

uint32_t u16At(std::span<const uint8_t> b, size_t at) { return static_cast<uint32_t>(b[at] | b[at + 1] << 8); }

uint32_t u32At(std::span<const uint8_t> b, size_t at) { return u16At(b, at) | u16At(b, at + 2) << 16; }

// One colour component of a 16- or 32-bit pixel, scaled so that a full mask gives 255.
struct Channel {
    uint32_t mask = 0;
    int shift = 0;
    uint64_t max = 0;

    explicit Channel(uint32_t m = 0) : mask(m), shift(m ? std::countr_zero(m) : 0), max(m >> shift) {}

    uint32_t operator()(uint32_t pixel) const
    {
        if (max == 0)
            return 0;
        uint64_t v = (pixel & mask) >> shift;
        return static_cast<uint32_t>((v * 255 + max / 2) / max);
    }
};

struct Layout {
    uint64_t width = 0;
    uint64_t height = 0;
    bool topDown = false;
    unsigned bits = 0;
    uint32_t compression = kRgb;
    std::vector<uint32_t> palette;
    Channel red, green, blue;

    // An index past the colour table reads as black.
    uint32_t colour(unsigned index) const { return index < palette.size() ? palette[index] : kOpaque; }

    uint32_t masked(uint32_t pixel) const { return kOpaque | red(pixel) << 16 | green(pixel) << 8 | blue(pixel); }
};

bool validDepth(unsigned bits, uint32_t compression)
{
    switch (compression) {
    case kRgb: return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
    case kRle8: return bits == 8;
    case kRle4: return bits == 4;
    case kBitFields: return bits == 16 || bits == 32;
    default: return false;
    }
}

// Reads the colour table at `at`: RGBQUAD entries, or RGBTRIPLE for the core header. Depths above
// 8 bits use no table. False when the table runs past the information block.
bool readPalette(std::span<const uint8_t> info, size_t at, size_t entrySize, uint64_t count, Layout& l)
{
    if (l.bits > 8)
        return true;
    if (count == 0)
        count = uint64_t{1} << l.bits;
    if (at > info.size() || count * entrySize > info.size() - at)
        return false;
    l.palette.reserve(count);
    for (size_t i = 0; i < count; ++i) {
        const uint8_t* e = info.data() + at + i * entrySize;
        l.palette.push_back(kOpaque | uint32_t{e[2]} << 16 | uint32_t{e[1]} << 8 | e[0]);
    }
    return true;
}

std::optional<Layout> readCoreHeader(std::span<const uint8_t> info)
{
    if (info.size() < kCoreHeaderSize)
        return std::nullopt;
    Layout l;
    l.width = u16At(info, 4);
    l.height = u16At(info, 6);
    l.bits = u16At(info, 10);
    if (l.bits != 1 && l.bits != 4 && l.bits != 8 && l.bits != 24)
        return std::nullopt;
    if (!readPalette(info, kCoreHeaderSize, 3, 0, l))
        return std::nullopt;
    return l;
}

std::optional<Layout> readInfoHeader(std::span<const uint8_t> info, size_t headerSize)
{
    if (info.size() < headerSize)
        return std::nullopt;
    Layout l;
    auto width = static_cast<int32_t>(u32At(info, 4));
    auto height = static_cast<int32_t>(u32At(info, 8));
    if (width <= 0)
        return std::nullopt;
    l.width = static_cast<uint64_t>(width);
    l.topDown = height < 0;
    l.height = l.topDown ? uint64_t{0} - static_cast<uint64_t>(int64_t{height}) : static_cast<uint64_t>(height);
    l.bits = u16At(info, 14);
    l.compression = u32At(info, 16);
    if (!validDepth(l.bits, l.compression))
        return std::nullopt;
    // Run-length data always runs from the bottom row up.
    if (l.topDown && (l.compression == kRle8 || l.compression == kRle4))
        return std::nullopt;

    size_t tableAt = headerSize;
    if (l.compression == kBitFields) {
        // The 40-byte header keeps its masks just after it; the longer headers hold them.
        if (headerSize == kInfoHeaderSize) {
            if (info.size() < kInfoHeaderSize + kMaskBytes)
                return std::nullopt;
            tableAt += kMaskBytes;
        }
        l.red = Channel(u32At(info, 40));
        l.green = Channel(u32At(info, 44));
        l.blue = Channel(u32At(info, 48));
    } else if (l.bits == 16) {
        l.red = Channel(0x7C00), l.green = Channel(0x03E0), l.blue = Channel(0x001F);
    } else if (l.bits == 32) {
        l.red = Channel(0xFF0000), l.green = Channel(0xFF00), l.blue = Channel(0xFF);
    }
    if (!readPalette(info, tableAt, 4, u32At(info, 32), l))
        return std::nullopt;
    return l;
}

std::optional<Layout> readLayout(std::span<const uint8_t> info)
{
    if (info.size() < 4)
        return std::nullopt;
    uint32_t headerSize = u32At(info, 0);
    std::optional<Layout> l;
    if (headerSize == kCoreHeaderSize)
        l = readCoreHeader(info);
    else if (headerSize == 40 || headerSize == 52 || headerSize == 56 || headerSize == 108 || headerSize == 124)
        l = readInfoHeader(info, headerSize);
    if (!l || l->width == 0 || l->height == 0 || l->width > kMaxBitmapSide || l->height > kMaxBitmapSide)
        return std::nullopt;
    return l;
}

uint32_t pixelAt(const uint8_t* row, uint64_t x, const Layout& l)
{
    switch (l.bits) {
    case 1: return l.colour((row[x / 8] >> (7 - x % 8)) & 1);
    case 4: return l.colour((row[x / 2] >> (x % 2 ? 0 : 4)) & 0xF);
    case 8: return l.colour(row[x]);
    case 16: return l.masked(row[2 * x] | row[2 * x + 1] << 8);
    case 24: return kOpaque | uint32_t{row[3 * x + 2]} << 16 | uint32_t{row[3 * x + 1]} << 8 | row[3 * x];
    default: {
        const uint8_t* p = row + 4 * x;
        return l.masked(p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24);
    }
    }
}

// Rows are padded to 4 bytes; the last row need not carry its padding.
// Whether the caller has given up on the picture (its run's time is up).
bool stopped(const std::atomic<bool>* stop) { return stop && stop->load(std::memory_order_relaxed); }

bool decodeRows(std::span<const uint8_t> data, const Layout& l, std::vector<uint32_t>& out,
                const std::atomic<bool>* stop)
{
    uint64_t rowBytes = (l.width * l.bits + 7) / 8;
    uint64_t stride = (l.width * l.bits + 31) / 32 * 4;
    if (stride * (l.height - 1) + rowBytes > data.size())
        return false;
    out.resize(l.width * l.height);
    for (uint64_t r = 0; r < l.height; ++r) {
        if (stopped(stop))
            return false;
        const uint8_t* row = data.data() + r * stride;
        uint64_t y = l.topDown ? r : l.height - 1 - r;
        uint32_t* dest = out.data() + y * l.width;
        for (uint64_t x = 0; x < l.width; ++x)
            dest[x] = pixelAt(row, x, l);
    }
    return true;
}

// Pixels the data never reaches (an early end of line or of bitmap, a delta jump) keep colour-table
// entry 0. Pixels past the right edge are dropped; data that ends early ends the picture.
bool decodeRunLength(std::span<const uint8_t> data, const Layout& l, std::vector<uint32_t>& out,
                     const std::atomic<bool>* stop)
{
    if (l.width * l.height > data.size() * kRlePixelsPerByte)
        return false;
    out.assign(l.width * l.height, l.colour(0));
    bool four = l.compression == kRle4;
    uint64_t x = 0, y = 0; // y counts rows from the bottom
    auto put = [&](unsigned index) {
        if (x < l.width)
            out[(l.height - 1 - y) * l.width + x] = l.colour(index);
        ++x;
    };
    size_t pos = 0;
    while (y < l.height && data.size() - pos >= 2) {
        unsigned count = data[pos], value = data[pos + 1];
        pos += 2;
        if (count > 0) {
            for (unsigned i = 0; i < count; ++i)
                put(!four ? value : i % 2 ? value & 0xF : value >> 4);
        } else if (value == 0) {
            x = 0, ++y;
            if (stopped(stop))
                return false;
        } else if (value == 1) {
            break;
        } else if (value == 2) {
            if (data.size() - pos < 2)
                break;
            x += data[pos], y += data[pos + 1];
            pos += 2;
        } else {
            size_t bytes = four ? (value + 1) / 2 : value;
            if (data.size() - pos < bytes)
                break;
            for (unsigned i = 0; i < value; ++i) {
                unsigned b = data[pos + (four ? i / 2 : i)];
                put(!four ? b : i % 2 ? b & 0xF : b >> 4);
            }
            pos += bytes + bytes % 2; // absolute runs end on a 16-bit boundary
            pos = std::min(pos, data.size());
        }
    }
    return true;
}

} // namespace

std::optional<DecodedBitmap> decodeBitmapFile(std::span<const uint8_t> file, const std::atomic<bool>* stop)
{
    if (file.size() < kFileHeaderSize)
        return std::nullopt;
    uint32_t pixelOffset = u32At(file, kPixelOffsetAt);
    if (pixelOffset < kFileHeaderSize || pixelOffset > file.size())
        return std::nullopt;
    std::optional<Layout> layout = readLayout(file.subspan(kFileHeaderSize, pixelOffset - kFileHeaderSize));
    if (!layout)
        return std::nullopt;

    DecodedBitmap bitmap;
    std::span<const uint8_t> data = file.subspan(pixelOffset);
    bool ok = layout->compression == kRle8 || layout->compression == kRle4
                  ? decodeRunLength(data, *layout, bitmap.pixels, stop)
                  : decodeRows(data, *layout, bitmap.pixels, stop);
    if (!ok)
        return std::nullopt;
    bitmap.width = static_cast<int>(layout->width);
    bitmap.height = static_cast<int>(layout->height);
    return bitmap;
}

std::optional<uint64_t> bitmapPixelCount(std::span<const uint8_t> file)
{
    if (file.size() < kFileHeaderSize)
        return std::nullopt;
    const uint32_t pixelOffset = u32At(file, kPixelOffsetAt);
    if (pixelOffset < kFileHeaderSize || pixelOffset > file.size())
        return std::nullopt;
    const std::optional<Layout> layout = readLayout(file.subspan(kFileHeaderSize, pixelOffset - kFileHeaderSize));
    if (!layout)
        return std::nullopt;
    return layout->width * layout->height;
}

BitmapReadResult readBitmapFile(const std::string& path, uint64_t memoryLeft, const std::atomic<bool>* stop)
{
    BitmapReadResult result;
    std::vector<uint8_t> bytes;
    const FileRead read = readWholeFile(path, bytes, std::min(kMaxBitmapFileBytes, memoryLeft));
    if (!read) {
        if (read.error == FileReadError::TooLarge && read.size <= kMaxBitmapFileBytes)
            result.status = BitmapReadStatus::OutOfMemory;
        return result;
    }
    if (bytes.empty()) {
        result.status = BitmapReadStatus::EmptyFile;
        return result;
    }
    // The pixels are made while the file's bytes are still held.
    const std::optional<uint64_t> pixels = bitmapPixelCount(bytes);
    if (pixels && *pixels > (memoryLeft - bytes.size()) / sizeof(uint32_t)) {
        result.status = BitmapReadStatus::OutOfMemory;
        return result;
    }
    std::optional<DecodedBitmap> bitmap = decodeBitmapFile(bytes, stop);
    if (!bitmap) {
        result.status = stopped(stop) ? BitmapReadStatus::Stopped : BitmapReadStatus::Undecodable;
        return result;
    }
    result.status = BitmapReadStatus::Ok;
    result.bitmap = std::move(*bitmap);
    return result;
}

} // namespace qel
