#include "app/sandbox.h"

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <linux/landlock.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace qel {

namespace {

// The rights and fields of later Landlock versions, which older system headers lack.
constexpr uint64_t kTruncate = uint64_t{1} << 14;                                                // version 3
constexpr uint64_t kIoctlDevice = uint64_t{1} << 15;                                             // version 5
constexpr uint64_t kBindTcp = uint64_t{1} << 0, kConnectTcp = uint64_t{1} << 1;                  // version 4
constexpr uint64_t kScopeAbstractUnixSocket = uint64_t{1} << 0, kScopeSignal = uint64_t{1} << 1; // version 6

// The ruleset's attributes as version 6 and later know them; the size passed tells the kernel how
// many fields it is given.
struct RulesetAttributes {
    uint64_t handledAccessFs = 0;
    uint64_t handledAccessNet = 0;
    uint64_t scoped = 0;
};

constexpr uint64_t kReadRights = LANDLOCK_ACCESS_FS_READ_FILE | LANDLOCK_ACCESS_FS_READ_DIR;
constexpr uint64_t kWriteRights =
    LANDLOCK_ACCESS_FS_WRITE_FILE | LANDLOCK_ACCESS_FS_REMOVE_FILE | LANDLOCK_ACCESS_FS_MAKE_REG | kTruncate;

// Every file-system right the given version knows: all of them are denied unless a rule grants them.
uint64_t fileRightsOf(int version)
{
    uint64_t rights = (LANDLOCK_ACCESS_FS_MAKE_SYM << 1) - 1; // the first version's thirteen
    if (version >= 2)
        rights |= LANDLOCK_ACCESS_FS_REFER;
    if (version >= 3)
        rights |= kTruncate;
    if (version >= 5)
        rights |= kIoctlDevice;
    return rights;
}

Failure systemFailure(const std::string& what)
{
    return Failure("qeltool: --sandbox: " + what + ": " + std::strerror(errno));
}

// Closes a descriptor when it goes out of scope.
struct OwnedDescriptor {
    explicit OwnedDescriptor(int descriptor) : fd(descriptor) {}
    OwnedDescriptor(const OwnedDescriptor&) = delete;
    OwnedDescriptor& operator=(const OwnedDescriptor&) = delete;
    ~OwnedDescriptor()
    {
        if (fd >= 0)
            ::close(fd);
    }
    const int fd;
};

Status allowBeneath(int ruleset, const std::string& folder, uint64_t rights)
{
    OwnedDescriptor beneath(::open(folder.c_str(), O_PATH | O_CLOEXEC));
    if (beneath.fd < 0)
        return success(); // nothing there to allow
    struct stat info {};
    if (::fstat(beneath.fd, &info) == 0 && !S_ISDIR(info.st_mode))
        rights &= LANDLOCK_ACCESS_FS_READ_FILE | LANDLOCK_ACCESS_FS_WRITE_FILE | kTruncate; // a file's own rights
    landlock_path_beneath_attr rule{};
    rule.allowed_access = rights;
    rule.parent_fd = beneath.fd;
    if (::syscall(SYS_landlock_add_rule, ruleset, LANDLOCK_RULE_PATH_BENEATH, &rule, 0) != 0)
        return systemFailure("cannot allow " + folder);
    return success();
}

} // namespace

Result<int> landlockVersion()
{
    const long version = ::syscall(SYS_landlock_create_ruleset, nullptr, 0, LANDLOCK_CREATE_RULESET_VERSION);
    if (version < 1)
        return Failure("qeltool: --sandbox needs the kernel's Landlock sandbox (Linux 5.13 or later, enabled), "
                       "which this system does not offer: " +
                       std::string(std::strerror(errno)));
    return static_cast<int>(version);
}

Status confineToFolders(const SandboxFolders& folders)
{
    const int version = TRY(landlockVersion());
    RulesetAttributes attributes;
    attributes.handledAccessFs = fileRightsOf(version);
    size_t size = sizeof(uint64_t);
    if (version >= 4) {
        attributes.handledAccessNet = kBindTcp | kConnectTcp;
        size = 2 * sizeof(uint64_t);
    }
    if (version >= 6) {
        attributes.scoped = kScopeAbstractUnixSocket | kScopeSignal;
        size = sizeof attributes;
    }
    OwnedDescriptor ruleset(static_cast<int>(::syscall(SYS_landlock_create_ruleset, &attributes, size, 0)));
    if (ruleset.fd < 0)
        return systemFailure("cannot make the rules");
    for (const std::string& folder : folders.readOnly)
        TRY(allowBeneath(ruleset.fd, folder, kReadRights));
    const uint64_t readWrite = (kReadRights | kWriteRights) & attributes.handledAccessFs;
    for (const std::string& folder : folders.readWrite)
        TRY(allowBeneath(ruleset.fd, folder, readWrite));
    // The restriction cannot be undone, nor widened by running another program.
    if (::prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) != 0)
        return systemFailure("cannot give up new privileges");
    if (::syscall(SYS_landlock_restrict_self, ruleset.fd, 0) != 0)
        return systemFailure("cannot confine the process");
    return success();
}

} // namespace qel
