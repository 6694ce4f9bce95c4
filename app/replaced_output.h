#pragma once
// An output named on qeltool's command line (the run's snapshot), never written through a symbolic
// link: a temporary file is created exclusively beside the name, the bytes go to it, are flushed,
// and it is renamed over the name. A link planted at the name is replaced by the file and what it
// led to is left untouched; a folder at the name is refused.
//
// Under the sandbox the process may not create or remove files in that folder, so the temporary
// file is made before the process is confined and the rename is left to a small process started
// then: it knows only the temporary file and the name, and does that rename when told to, or
// removes the temporary file when the run ends without a picture (even when qeltool is ended
// abruptly, as the timeout's last resort does).

#include "base/result.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include <sys/types.h>

namespace qel {

class ReplacedOutput {
public:
    // Creates the temporary file beside path.
    [[nodiscard]] static Result<std::unique_ptr<ReplacedOutput>> claim(const std::string& path);
    // Removes the temporary file unless it was saved.
    ~ReplacedOutput();
    ReplacedOutput(const ReplacedOutput&) = delete;
    ReplacedOutput& operator=(const ReplacedOutput&) = delete;

    // The rename is done by a process started now, which a sandbox made later does not confine.
    [[nodiscard]] Status renameFromOutside();
    // Writes the bytes and renames the file over the name; once only.
    [[nodiscard]] Status save(std::span<const uint8_t> bytes);

private:
    ReplacedOutput(std::string path, int folder, int file, std::string temporary);
    [[nodiscard]] bool rename();
    void endRenamer();

    std::string path_;
    int folder_;            // the folder's descriptor: the rename happens there whatever its name
    int file_;              // the temporary file, open for writing
    std::string temporary_; // its name in the folder
    std::string name_;      // the output's name in the folder
    int renamer_ = -1;      // the renaming process's end of the conversation, when there is one
    pid_t renamerId_ = -1;
    bool saved_ = false;
};

} // namespace qel
