#include "forms/form_image.h"
#include "fileio/file_io.h"

#include "program/file_names.h"
#include "program/program_file.h"

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
