#pragma once
// The values qeltool's commands take on their command lines: a time limit in seconds and a size in
// megabytes, read the same way by `run` and `grade`.

#include <cstdint>
#include <string>

namespace qel {

// The longest time limit taken: a day, far beyond any grading run, and well inside the clock's range.
inline constexpr double kLongestTimeout = 86400;
inline constexpr uint64_t kLargestMegabytes = uint64_t{1} << 20;

// Seconds, 0 to a day, and nothing after them.
[[nodiscard]] bool readTimeout(const std::string& text, double& seconds);
// A size in megabytes, 1 to a million, as bytes.
[[nodiscard]] bool readMegabytes(const std::string& text, uint64_t& bytes);

} // namespace qel
