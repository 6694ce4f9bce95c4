#pragma once
// The bitmaps a run has loaded, by handle. A Bitmap variable holds only the handle, a small number,
// so a copied or stale handle is looked up and refused rather than followed. Handles count up from
// 1 and a freed handle is never handed out again, so an old copy cannot reach a newer bitmap.

#include <QImage>

#include <cstdint>
#include <unordered_map>

namespace qel {

class BitmapTable {
public:
    // Takes the picture and returns its handle; 0 when every handle has been used.
    uint32_t load(QImage image);
    // The picture of a loaded handle; nullptr for 0, a freed handle or one never given out.
    const QImage* get(uint32_t handle) const;
    // False when the handle names no loaded picture.
    bool unload(uint32_t handle);
    void clear() { images_.clear(); }
    size_t size() const { return images_.size(); }

private:
    std::unordered_map<uint32_t, QImage> images_;
    uint32_t next_ = 1; // 0 once the handles are used up
};

} // namespace qel
