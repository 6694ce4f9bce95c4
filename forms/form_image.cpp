#include "forms/form_image.h"
#include "fileio/file_io.h"

#include "program/program_file.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace qel {

namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr size_t kPixelOffsetAt = 10;
constexpr size_t kPlanesAt = kFileHeaderSize + 12; // in the information header
constexpr size_t kBitCountAt = kFileHeaderSize + 14;

uint32_t u16At(std::span<const uint8_t> b, size_t at) { return static_cast<uint32_t>(b[at] | b[at + 1] << 8); }

} // namespace

std::optional<DecodedBitmap> decodeFormImage(std::span<const uint8_t> file, MessageHost& host)
{
    // The information header runs from the file header to the pixels; it must hold the plane count
    // and the depth.
    const size_t pixelOffset =
        file.size() >= kFileHeaderSize ? u16At(file, kPixelOffsetAt) | u16At(file, kPixelOffsetAt + 2) << 16 : 0;
    if (pixelOffset < kBitCountAt + 2 || pixelOffset > file.size() || u16At(file, kPlanesAt) != 1 ||
        u16At(file, kBitCountAt) != 24) {
        host.showMessage(kImageNot24Bit, Icon::Error);
        return std::nullopt;
    }
    std::optional<DecodedBitmap> bitmap = decodeBitmapFile(file);
    if (!bitmap)
        host.showMessage(kImageCreateFailed, Icon::Error);
    return bitmap;
}

FormImageRead readFormImage(const std::string& path, MessageHost& host, uint64_t memoryLeft)
{
    std::error_code error;
    std::vector<uint8_t> bytes;
    const FileRead read = std::filesystem::is_regular_file(path, error)
                              ? readWholeFile(path, bytes, std::min(kDefaultMaxFileBytes, memoryLeft))
                              : FileRead{FileReadError::NotAFile, 0};
    if (read.error == FileReadError::TooLarge && read.size <= kDefaultMaxFileBytes)
        return {std::nullopt, true};
    if (!read) {
        host.showMessage(std::string(kImageOpenFailed) + path, Icon::Error);
        return {};
    }
    if (bytes.empty()) {
        host.showMessage(std::string(kImageSizeFailed) + path, Icon::Error);
        return {};
    }
    // The pixels are made while the file's bytes are still held.
    const std::optional<uint64_t> pixels = bitmapPixelCount(bytes);
    if (pixels && *pixels > (memoryLeft - bytes.size()) / sizeof(uint32_t))
        return {std::nullopt, true};
    return {decodeFormImage(bytes, host), false};
}

} // namespace qel
