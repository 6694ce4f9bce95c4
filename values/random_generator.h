#pragma once
// The pseudo-random numbers of Rand: a linear congruential generator of the classic C library kind,
// giving 0 to 32767. Every run start seeds it, with a seed chosen for the run or one from the clock;
// tests seed it with a fixed value.

#include <chrono>
#include <cstdint>

namespace qel {

class RandomGenerator {
public:
    static constexpr int kLargest = 32767;

    explicit RandomGenerator(uint32_t seed = 1) : state_(seed) {}
    void seed(uint32_t seed) { state_ = seed; }

    // The next value, 0 to kLargest.
    int next()
    {
        state_ = state_ * 214013u + 2531011u;
        return static_cast<int>((state_ >> 16) & 0x7FFFu);
    }

private:
    uint32_t state_;
};

// A seed that differs from run to run: the clock's low bits.
inline uint32_t clockSeed()
{
    return static_cast<uint32_t>(std::chrono::system_clock::now().time_since_epoch().count());
}

} // namespace qel
