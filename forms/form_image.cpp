#include "forms/form_image.h"
#include "fileio/file_io.h"

#include "program/file_names.h"
#include "program/program_file.h"

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

std::optional<DecodedBitmap> readFormImage(const std::string& path, MessageHost& host)
{
    std::error_code error;
    std::vector<uint8_t> bytes;
    if (!std::filesystem::is_regular_file(path, error) || !readWholeFile(path, bytes)) {
        host.showMessage(std::string(kImageOpenFailed) + programTextOfFileName(path), Icon::Error);
        return std::nullopt;
    }
    if (bytes.empty()) {
        host.showMessage(std::string(kImageSizeFailed) + programTextOfFileName(path), Icon::Error);
        return std::nullopt;
    }
    return decodeFormImage(bytes, host);
}

} // namespace qel
