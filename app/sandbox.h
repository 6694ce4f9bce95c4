#pragma once
// `qeltool run --sandbox`: the process confined with the kernel's Landlock sandbox once Qt has
// started and before the program's first line runs. From then on the files it may open are those
// beneath the folders given here: the program's own folder and the print folder for reading and
// writing, and what Qt itself still reads (fonts and their configuration, its plugins) for reading
// only. Everything else fails as a missing file does, so a program that names a file outside gets
// its instruction's own "unable to open" error. No TCP connection can be made and no signal sent
// to another process. The restriction holds for the thread that makes it and every thread it
// starts after; qeltool makes it on its main thread, which runs the program.

#include "base/result.h"

#include <string>
#include <vector>

namespace qel {

struct SandboxFolders {
    std::vector<std::string> readOnly;  // folders read beneath; a missing one is left out
    std::vector<std::string> readWrite; // folders read, written, created in and removed from beneath
};

// The Landlock version the kernel offers; a failure (with the reason for the user) where it offers
// none or too old a one.
[[nodiscard]] Result<int> landlockVersion();

// Confines this process (see above) for good.
[[nodiscard]] Status confineToFolders(const SandboxFolders& folders);

} // namespace qel
