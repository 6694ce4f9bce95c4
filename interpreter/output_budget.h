#pragma once
// What a run may write to standard output and to files together (`qeltool run --output-limit MB`);
// the environment sets no limit. Passing it is the "Output limit reached" run-time error.

#include <cstdint>
#include <limits>

namespace qel {

class OutputBudget {
public:
    static constexpr uint64_t kNoLimit = std::numeric_limits<uint64_t>::max();

    void setLimit(uint64_t bytes) { limit_ = bytes; }
    // Counts bytes about to be written: false, counting nothing, when they would pass the limit.
    [[nodiscard]] bool take(uint64_t bytes)
    {
        if (bytes > limit_ - used_)
            return false;
        used_ += bytes;
        return true;
    }
    // A new run has written nothing yet.
    void reset() { used_ = 0; }

private:
    uint64_t limit_ = kNoLimit;
    uint64_t used_ = 0;
};

} // namespace qel
