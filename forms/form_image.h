#pragma once
// The bitmaps that image objects show: every .bmp file the decoder BitmapLoad uses takes, as the
// designer draws it. The headers are checked before the pixels are decoded, so a damaged file is
// refused, never followed.

#include "program/host.h"
#include "runtime/bitmap_file.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace qel {

// The file name is appended to the first two.
inline constexpr std::string_view kImageOpenFailed = "Failed to open the bitmap specified as a graph item:";
inline constexpr std::string_view kImageSizeFailed =
    "Failed to get file size for the bitmap specified as a graph item:";
inline constexpr std::string_view kImageNot24Bit = "Bargraph images may only be 24 bit *.bmp bitmaps";
inline constexpr std::string_view kImageCreateFailed = "Failed to create a DIBitmap for image";

// The picture of a bitmap file's bytes; nothing (after its message) for a file that is not a bitmap
// the decoder takes or whose pixels cannot be decoded.
std::optional<DecodedBitmap> decodeFormImage(std::span<const uint8_t> file, MessageHost& host);

struct FormImageRead {
    std::optional<DecodedBitmap> bitmap; // nothing after the message that says why not
    bool outOfMemory = false;            // refused, without a message, before anything was held
};

// Reads an image object's file, holding at no time more than memoryLeft bytes for the file and its
// pixels.
FormImageRead readFormImage(const std::string& path, MessageHost& host, uint64_t memoryLeft = UINT64_MAX);

} // namespace qel
