// Feeds arbitrary bytes to the bitmap file decoder; what it accepts must be a whole picture of
// opaque pixels within the size limits.

#include "runtime/bitmap_file.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::optional<qel::DecodedBitmap> bitmap = qel::decodeBitmapFile(std::span(data, size));
    if (!bitmap)
        return 0;
    if (bitmap->width <= 0 || bitmap->height <= 0 || bitmap->width > qel::kMaxBitmapSide ||
        bitmap->height > qel::kMaxBitmapSide)
        std::abort();
    if (bitmap->pixels.size() != size_t(bitmap->width) * size_t(bitmap->height))
        std::abort();
    for (uint32_t p : bitmap->pixels)
        if (p >> 24 != 0xFF)
            std::abort();
    return 0;
}
