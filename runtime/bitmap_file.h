#pragma once
// Bitmap files (.bmp) as BitmapLoad reads them, decoded to 32-bit pixels.
//
//   offset  width              content
//   0       14                 file header; only the u32 at 10 (pixel-data offset) is used, the
//                              signature is not examined
//   14      offset - 14        information block: header, bit-field masks, colour table
//   offset  file size - offset pixel data
//
// Headers: the 12-byte core header and the 40-byte information header with its 52/56/108/124-byte
// extensions. Depths 1, 4, 8 (colour table), 16, 24 and 32; compressions none, RLE8, RLE4 and bit
// fields. Anything else, or a header that promises more than the file holds, is refused.

#include "messages/run_errors.h"

#include <atomic>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace qel {

inline constexpr std::string_view kBitmapOpenFailedMessage = msg::kUnableToOpenBitmap;
// An empty file is reported apart from unreadable ones; the two texts follow each other unseparated.
inline constexpr std::string_view kBitmapFileSizeMessage = "Can't get file sizeMyLoadBitmap";

// The largest width or height accepted.
inline constexpr int kMaxBitmapSide = 10000;
// The largest file read: the largest picture at 32 bits a pixel, with room for its headers.
inline constexpr uint64_t kMaxBitmapFileBytes = uint64_t{4} * kMaxBitmapSide * kMaxBitmapSide + (uint64_t{1} << 20);

struct DecodedBitmap {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels; // 0xAARRGGBB with alpha 255, top row first, width * height of them
};

// Nothing when the bytes are not a bitmap this loader accepts, or when `stop` is set meanwhile (it
// is looked at every row). Never reads outside `file`, and allocates only what the file's pixel
// data can fill.
std::optional<DecodedBitmap> decodeBitmapFile(std::span<const uint8_t> file, const std::atomic<bool>* stop = nullptr);
// The number of pixels decodeBitmapFile would make, read from the headers alone; nothing when the
// headers are not ones it accepts.
std::optional<uint64_t> bitmapPixelCount(std::span<const uint8_t> file);

enum class BitmapReadStatus { Ok, CannotOpen, EmptyFile, Undecodable, OutOfMemory, Stopped };

struct BitmapReadResult {
    BitmapReadStatus status = BitmapReadStatus::CannotOpen;
    DecodedBitmap bitmap; // filled when status is Ok
};

// Reads and decodes the whole file, holding at no time more than memoryLeft bytes for the file and
// its pixels (OutOfMemory otherwise, before anything that large is allocated). A name that is not
// a regular file, or a file larger than kMaxBitmapFileBytes, cannot be opened. CannotOpen and
// Undecodable both stand for kBitmapOpenFailedMessage; EmptyFile for kBitmapFileSizeMessage.
// Stopped: `stop` was set while the pixels were decoded.
BitmapReadResult readBitmapFile(const std::string& path, uint64_t memoryLeft = UINT64_MAX,
                                const std::atomic<bool>* stop = nullptr);

} // namespace qel
