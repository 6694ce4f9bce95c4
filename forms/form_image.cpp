#include "forms/form_image.h"
#include "fileio/file_io.h"

#include "program/file_names.h"
#include "program/program_file.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace qel {

std::optional<DecodedBitmap> decodeFormImage(std::span<const uint8_t> file, MessageHost& host)
{
    // Every bitmap BitmapLoad shows (and the designer draws) is shown: whatever the decoder takes.
    if (!bitmapPixelCount(file)) {
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
        host.showMessage(std::string(kImageOpenFailed) + programTextOfFileName(path), Icon::Error);
        return {};
    }
    if (bytes.empty()) {
        host.showMessage(std::string(kImageSizeFailed) + programTextOfFileName(path), Icon::Error);
        return {};
    }
    // The pixels are made while the file's bytes are still held.
    const std::optional<uint64_t> pixels = bitmapPixelCount(bytes);
    if (pixels && *pixels > (memoryLeft - bytes.size()) / sizeof(uint32_t))
        return {std::nullopt, true};
    return {decodeFormImage(bytes, host), false};
}

} // namespace qel
