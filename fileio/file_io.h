#pragma once
// Whole files in and out, for every file a user or a program names: program files, bitmaps, event
// scripts and, later, forms and variable lists.
//
// Reading opens without blocking and looks at what it opened before it reads: only a regular file
// no larger than the caller's limit is read, and never more than the size it had when it was
// opened, so a folder, a device or a FIFO fails at once and nothing is allocated beyond the file.
//
// Saving never leaves a half-written or foreign file behind: the bytes go to a temporary file
// created exclusively under an unpredictable name beside the target, are flushed to disk, take the
// target's permissions (and owner, where allowed) and are renamed over it. A target reached through
// symbolic links is saved where the links lead, so the links stay links. On failure the temporary
// file is removed and the target is as it was.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include <sys/types.h>

namespace qel {

// The largest file readWholeFile reads unless the caller says otherwise.
inline constexpr uint64_t kDefaultMaxFileBytes = uint64_t{64} << 20;

enum class FileReadError : uint8_t {
    None,
    CannotOpen, // missing, unreadable, or a read failed
    NotAFile,   // a folder, a device, a FIFO, a socket
    TooLarge,   // larger than the caller's limit
};

struct FileRead {
    FileReadError error = FileReadError::None;
    uint64_t size = 0; // the file's size, once it is known to be a regular file
    explicit operator bool() const { return error == FileReadError::None; }
};

// Replaces out with the file's bytes.
[[nodiscard]] FileRead readWholeFile(const std::string& path, std::vector<uint8_t>& out,
                                     uint64_t maxBytes = kDefaultMaxFileBytes);

// Whether a regular file is at path (through symbolic links), without opening it.
[[nodiscard]] bool isRegularFile(const std::string& path);

// Saves bytes as the file at path (see above); false when the file could not be saved.
[[nodiscard]] bool writeFileAtomically(const std::string& path, std::span<const uint8_t> bytes);

// Writes every byte to an open descriptor; false when a write failed.
[[nodiscard]] bool writeAll(int fd, std::span<const uint8_t> bytes);

// The permissions a new file gets: read and write for everyone the process's umask lets through.
[[nodiscard]] mode_t newFileMode();

} // namespace qel
