#include "app/replaced_output.h"

#include "app/tool_commands.h"
#include "fileio/file_io.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

namespace qel {

namespace {

constexpr char kRename = 'r', kRenamed = 'y', kNotRenamed = 'n';

// Closes every descriptor but the ones kept. Only calls a forked child may make.
void closeAllBut(std::array<int, 2> kept)
{
    std::sort(kept.begin(), kept.end());
    unsigned first = 0;
    for (int fd : kept) {
        if (static_cast<unsigned>(fd) > first)
            (void)::syscall(SYS_close_range, first, static_cast<unsigned>(fd) - 1, 0);
        first = static_cast<unsigned>(fd) + 1;
    }
    (void)::syscall(SYS_close_range, first, ~0U, 0);
}

// The renaming process: waits for the word, renames and answers; removes the temporary file when the
// conversation ends without it. It outlives interruptions aimed at qeltool long enough to clean up.
[[noreturn]] void renameWhenTold(int folder, const char* temporary, const char* name, int talk)
{
    for (int sig : {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGPIPE})
        (void)std::signal(sig, SIG_IGN);
    closeAllBut({folder, talk});
    char word = 0;
    ssize_t got = 0;
    do {
        got = ::read(talk, &word, 1);
    } while (got < 0 && errno == EINTR);
    bool renamed = false;
    if (got == 1 && word == kRename)
        renamed = ::renameat(folder, temporary, folder, name) == 0 && ::fsync(folder) == 0;
    if (!renamed)
        (void)::unlinkat(folder, temporary, 0);
    const char answer = renamed ? kRenamed : kNotRenamed;
    (void)::send(talk, &answer, 1, MSG_NOSIGNAL);
    ::_exit(0);
}

} // namespace

ReplacedOutput::ReplacedOutput(std::string path, int folder, int file, std::string temporary)
    : path_(std::move(path)), folder_(folder), file_(file), temporary_(std::move(temporary))
{
    const size_t slash = path_.rfind('/');
    name_ = slash == std::string::npos ? path_ : path_.substr(slash + 1);
}

Result<std::unique_ptr<ReplacedOutput>> ReplacedOutput::claim(const std::string& path)
{
    auto cannot = [&path] { return Failure(std::string(kCannotWrite) + path); };
    const size_t slash = path.rfind('/');
    const std::string folderName = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    if (name.empty() || name == "." || name == "..")
        return cannot();
    const int folder = ::open(folderName.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0)
        return cannot();
    std::string temporary = folderName + "/." + name + ".XXXXXX";
    const int file = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (file < 0) {
        ::close(folder);
        return cannot();
    }
    (void)::fchmod(file, newFileMode());
    return std::unique_ptr<ReplacedOutput>(
        new ReplacedOutput(path, folder, file, temporary.substr(folderName.size() + 1)));
}

ReplacedOutput::~ReplacedOutput()
{
    if (file_ >= 0)
        ::close(file_);
    if (renamer_ >= 0)
        endRenamer();
    else if (!saved_)
        (void)::unlinkat(folder_, temporary_.c_str(), 0);
    ::close(folder_);
}

Status ReplacedOutput::renameFromOutside()
{
    int talk[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, talk) != 0)
        return Failure(std::string(kCannotWrite) + path_);
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(file_);
        renameWhenTold(folder_, temporary_.c_str(), name_.c_str(), talk[1]);
    }
    ::close(talk[1]);
    if (child < 0) {
        ::close(talk[0]);
        return Failure(std::string(kCannotWrite) + path_);
    }
    renamer_ = talk[0];
    renamerId_ = child;
    return success();
}

Status ReplacedOutput::save(std::span<const uint8_t> bytes)
{
    bool ok = file_ >= 0 && writeAll(file_, bytes) && ::fsync(file_) == 0;
    if (file_ >= 0)
        ok = ::close(file_) == 0 && ok;
    file_ = -1;
    saved_ = ok && rename();
    if (!saved_)
        return Failure(std::string(kCannotWrite) + path_);
    return success();
}

bool ReplacedOutput::rename()
{
    if (renamer_ < 0) {
        if (::renameat(folder_, temporary_.c_str(), folder_, name_.c_str()) != 0)
            return false;
        (void)::fsync(folder_); // the rename reaches the disk with the folder
        return true;
    }
    char answer = 0;
    ssize_t got = -1;
    if (::send(renamer_, &kRename, 1, MSG_NOSIGNAL) == 1) {
        do {
            got = ::recv(renamer_, &answer, 1, 0);
        } while (got < 0 && errno == EINTR);
    }
    endRenamer();
    return got == 1 && answer == kRenamed;
}

void ReplacedOutput::endRenamer()
{
    ::close(renamer_); // the renaming process removes the temporary file if it was not told to rename
    renamer_ = -1;
    int status = 0;
    while (::waitpid(renamerId_, &status, 0) < 0 && errno == EINTR) {
    }
}

} // namespace qel
