// qeltool: the command users call. A run of a program that never draws, writes text, prints or
// keeps a timer (most of what learners write) runs here, in a window without a picture, without
// loading Qt's picture libraries: they were two thirds of such a run's start. Every other command
// and run is handed to qeltool-full, the whole tool, which this process becomes.

#include "app/blank_window.h"
#include "app/large_blocks.h"
#include "app/run_command.h"
#include "app/tool_commands.h"
#include "instructions/catalogue.h"
#include "program/program_file.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <iostream>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

// A regular file's bytes mapped for reading; none when it cannot be.
struct MappedFile {
    explicit MappedFile(const std::string& path)
    {
        const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        struct stat status {};
        if (fd < 0)
            return;
        if (::fstat(fd, &status) == 0 && S_ISREG(status.st_mode) && status.st_size > 0) {
            void* at = ::mmap(nullptr, static_cast<size_t>(status.st_size), PROT_READ, MAP_PRIVATE, fd, 0);
            if (at != MAP_FAILED)
                bytes = std::span(static_cast<const uint8_t*>(at), static_cast<size_t>(status.st_size));
        }
        ::close(fd);
    }
    ~MappedFile()
    {
        if (!bytes.empty())
            ::munmap(const_cast<uint8_t*>(bytes.data()), bytes.size());
    }
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;

    std::span<const uint8_t> bytes;
};

// Whether this tool runs the arguments' program itself: every line is of an instruction it has
// (the families that need no picture), and the run keeps no picture, prints nowhere and is not
// sandboxed. Anything it cannot tell (a file it cannot read, or not a program file) goes to the
// whole tool, which reports it.
bool runsHere(const std::vector<std::string>& args)
{
    if (args.empty() || args[0] != "run")
        return false;
    const std::optional<qel::RunArguments> run = qel::runArguments(args);
    if (!run || run->picture)
        return false;
    // The file is mapped, not read: the scan stops at the first line of an instruction this tool
    // lacks, and a long drawing program is handed over having cost a page or two.
    const MappedFile file(run->file);
    if (file.bytes.empty() || file.bytes.size() > qel::kMaxProgramFileBytes)
        return false;
    bool plain = true;
    const bool scanned = qel::scanLineTypes(file.bytes, [&plain](uint32_t type) {
        plain = qel::descriptorFor(type) != nullptr;
        return plain;
    });
    return scanned && plain;
}

// qeltool-full beside this program (a build), else where it is installed.
fs::path wholeTool()
{
    std::error_code ec;
    const fs::path folder = fs::read_symlink("/proc/self/exe", ec).parent_path();
    const fs::path beside = folder / "qeltool-full";
    return ::access(beside.c_str(), X_OK) == 0 ? beside : (folder / QEL_WHOLE_TOOL).lexically_normal();
}

} // namespace

int main(int argc, char** argv)
{
    qel::mapLargeBlocksApart();
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (runsHere(args))
        return qel::runProgramCommand(args, std::cin, std::cout, std::cerr, qel::BlankWindow::make);
    const fs::path whole = wholeTool();
    ::execv(whole.c_str(), argv);
    std::cerr << "qeltool: cannot start " << whole.string() << ": " << std::strerror(errno) << "\n";
    return qel::kExitUsage;
}
