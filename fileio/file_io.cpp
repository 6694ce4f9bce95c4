#include "fileio/file_io.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

namespace qel {

namespace {

// Closes a descriptor when it goes out of scope.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() { close(); }
    int get() const { return fd_; }
    bool close()
    {
        const int fd = fd_;
        fd_ = -1;
        return fd < 0 || ::close(fd) == 0;
    }

private:
    int fd_;
};

std::string folderOf(const std::string& path)
{
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string nameOf(const std::string& path)
{
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Where a save to path really goes: the file at the end of its symbolic links (which need not exist
// yet). Nothing when the links go round in circles or cannot be read.
bool followLinks(std::string& path)
{
    constexpr int kMostLinks = 40; // as the system itself gives up
    for (int hop = 0; hop < kMostLinks; ++hop) {
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return true;
        std::string target(static_cast<size_t>(st.st_size > 0 ? st.st_size : 255) + 1, '\0');
        const ssize_t n = ::readlink(path.c_str(), target.data(), target.size());
        if (n <= 0 || static_cast<size_t>(n) >= target.size())
            return false;
        target.resize(static_cast<size_t>(n));
        if (target.front() == '/') {
            path = std::move(target);
        } else {
            std::string resolved = folderOf(path);
            resolved += '/';
            resolved += target;
            path = std::move(resolved);
        }
    }
    return false;
}

} // namespace

mode_t newFileMode()
{
    mode_t mask = 022;
    if (std::FILE* status = std::fopen("/proc/self/status", "r")) {
        char line[256];
        unsigned value = 0;
        while (std::fgets(line, sizeof line, status))
            if (std::sscanf(line, "Umask: %o", &value) == 1) {
                mask = static_cast<mode_t>(value);
                break;
            }
        std::fclose(status);
    }
    return 0666 & ~mask;
}

bool writeAll(int fd, std::span<const uint8_t> bytes)
{
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        bytes = bytes.subspan(static_cast<size_t>(n));
    }
    return true;
}

namespace {

// The temporary file takes the target's permissions, and its owner and group where the process may
// give them; when the group cannot be kept its members lose the access they had.
void takeIdentity(int fd, const struct stat* target)
{
    mode_t mode = target ? target->st_mode & 0777 : newFileMode();
    if (target && (::fchown(fd, target->st_uid, target->st_gid) != 0)) {
        struct stat now {};
        if (::fchown(fd, static_cast<uid_t>(-1), target->st_gid) != 0 ||
            (::fstat(fd, &now) == 0 && now.st_gid != target->st_gid))
            mode &= ~static_cast<mode_t>(0070);
    }
    (void)::fchmod(fd, mode);
}

} // namespace

bool isRegularFile(const std::string& path)
{
    struct stat st {};
    return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

FileRead readWholeFile(const std::string& path, std::vector<uint8_t>& out, uint64_t maxBytes)
{
    out.clear();
    // Non-blocking, so that opening a FIFO returns at once; it is refused below.
    Descriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (fd.get() < 0)
        return {FileReadError::CannotOpen};
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0)
        return {FileReadError::CannotOpen};
    if (!S_ISREG(st.st_mode))
        return {FileReadError::NotAFile};
    const auto size = static_cast<uint64_t>(st.st_size > 0 ? st.st_size : 0);
    if (size > maxBytes)
        return {FileReadError::TooLarge, size};
    try {
        out.resize(static_cast<size_t>(size));
    } catch (const std::bad_alloc&) {
        return {FileReadError::TooLarge, size};
    }
    // Only what the file held when it was opened: a file that grows meanwhile is not followed.
    size_t got = 0;
    while (got < out.size()) {
        const ssize_t n = ::read(fd.get(), out.data() + got, out.size() - got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            out.clear();
            return {FileReadError::CannotOpen, size};
        }
        if (n == 0)
            break; // it shrank
        got += static_cast<size_t>(n);
    }
    out.resize(got);
    return {FileReadError::None, size};
}

bool writeFileAtomically(const std::string& requested, std::span<const uint8_t> bytes)
{
    std::string path = requested;
    if (path.empty() || !followLinks(path))
        return false;
    struct stat target {};
    const bool exists = ::stat(path.c_str(), &target) == 0;
    if (exists && !S_ISREG(target.st_mode))
        return false; // never replace a folder, a device or a FIFO with a file

    const std::string folder = folderOf(path);
    std::string temporary = folder + "/." + nameOf(path) + ".XXXXXX";
    Descriptor fd(::mkostemp(temporary.data(), O_CLOEXEC));
    if (fd.get() < 0)
        return false;
    takeIdentity(fd.get(), exists ? &target : nullptr);
    bool ok = writeAll(fd.get(), bytes) && ::fsync(fd.get()) == 0;
    ok = fd.close() && ok;
    if (!ok || ::rename(temporary.c_str(), path.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    // The rename itself reaches the disk with the folder.
    Descriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() >= 0)
        (void)::fsync(dir.get());
    return true;
}

} // namespace qel
