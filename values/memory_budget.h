#pragma once
// The memory a run may hold in its strings, arrays and bitmaps. Each owner takes bytes before it
// allocates them and gives them back when it frees them; what would pass the limit is refused and
// ends the run with the "Out of memory" run-time error, long before the machine runs out. Numbers
// stored into existing elements cost nothing here.

#include <cstdint>

namespace qel {

class MemoryBudget {
public:
    static constexpr uint64_t kDefaultLimit = uint64_t{1} << 30; // 1 GiB

    uint64_t limit() const { return limit_; }
    void setLimit(uint64_t bytes) { limit_ = bytes; }
    uint64_t used() const { return used_; }
    uint64_t available() const { return used_ < limit_ ? limit_ - used_ : 0; }

    // Takes the bytes when they fit; otherwise takes nothing and says so.
    [[nodiscard]] bool take(uint64_t bytes)
    {
        if (bytes > available())
            return false;
        used_ += bytes;
        return true;
    }
    // Takes bytes already allocated (they may pass the limit; the next take is then refused).
    void charge(uint64_t bytes) { used_ += bytes; }
    void give(uint64_t bytes) { used_ = bytes < used_ ? used_ - bytes : 0; }
    // A new run holds nothing yet.
    void reset()
    {
        used_ = 0;
        ++run_;
    }
    // Counts the resets: an owner that outlives a run knows by it whether what it charged is held.
    uint64_t run() const { return run_; }

private:
    uint64_t limit_ = kDefaultLimit;
    uint64_t used_ = 0;
    uint64_t run_ = 0;
};

} // namespace qel
