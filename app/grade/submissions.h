#pragma once
// The submissions of `qeltool grade`: program files named on the command line, and every `*.qel`
// beneath the folders named there. Each is its program and the files beside it: the files of its
// folder and of the subfolders that hold no program of their own (another submission), links
// left out, so a copy of them is all a run of it can read.

#include "base/result.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace qel::grade {

// The files to copy beside a program, relative to its folder.
struct FolderFiles {
    std::string folder; // absolute
    std::vector<std::string> files;
    bool tooLarge = false; // more than kMostFiles files or kMostBytes bytes: nothing is copied
};

inline constexpr size_t kMostFiles = 1000;
inline constexpr uint64_t kMostBytes = uint64_t{64} << 20;

struct Submission {
    std::string name;    // its path relative to the argument that found it, or the argument itself
    std::string program; // absolute
    std::shared_ptr<const FolderFiles> beside;
};

// Every submission the arguments name, sorted by name, the reference itself left out; a failure
// names an argument that is neither a program file nor a folder.
[[nodiscard]] Result<std::vector<Submission>> findSubmissions(const std::vector<std::string>& arguments,
                                                              const std::string& reference);

// The reference as a submission of its own.
[[nodiscard]] Result<Submission> referenceProgram(const std::string& path);

// The K-th (from 1) of N slices of equal size, give or take one.
std::vector<Submission> shardOf(std::vector<Submission> all, uint32_t shard, uint32_t shards);

} // namespace qel::grade
