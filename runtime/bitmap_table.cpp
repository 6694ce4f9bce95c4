#include "runtime/bitmap_table.h"

#include <utility>

namespace qel {

uint32_t BitmapTable::load(QImage image)
{
    if (next_ == 0)
        return 0;
    const uint32_t handle = next_++;
    images_.emplace(handle, std::move(image));
    return handle;
}

const QImage* BitmapTable::get(uint32_t handle) const
{
    auto it = images_.find(handle);
    return it == images_.end() ? nullptr : &it->second;
}

bool BitmapTable::unload(uint32_t handle) { return images_.erase(handle) == 1; }

} // namespace qel
