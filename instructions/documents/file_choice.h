#pragma once
// What the file dialog of OpenSaveLoadDlg accepts: for Load the name of an existing file (not a
// folder, a device or a pipe) in an existing folder; for Save the same or a new name in an existing
// folder; a relative name inside the folder the dialog shows, with ".txt" added to a name that has
// no extension. Every host's dialog, the
// desktop's and the event script's, lets only such a name through, so a program gets the same path
// whoever answers.

#include "base/result.h"
#include "program/host.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace qel {

inline constexpr std::string_view kFileDialogExtension = ".txt";
// The dialog's refusals, after the name as typed and a line break.
inline constexpr std::string_view kChoiceFileNotFound =
    "File not found.\nPlease verify the correct file name was given.";
inline constexpr std::string_view kChoicePathNotFound =
    "Path does not exist.\nPlease verify the correct path was given.";
inline constexpr std::string_view kChoiceNotAFile = "This is a folder or a device, not a file.";

// The full path the dialog hands back for a name typed or picked in it (both a program's text) while
// it shows folder (a system file name; empty: the current directory); the message the dialog shows
// when it refuses the name and stays open.
[[nodiscard]] Result<std::string> fileDialogChoice(std::string_view typed, std::string_view folder, bool forOpening);

// The dialog at work: the names the user gives, one from each call of nextAnswer (nothing: Cancel),
// until one is accepted; each refusal is shown with its message on host, and the dialog goes on.
// The full path, or nothing on Cancel.
std::optional<std::string> chooseFile(const std::function<std::optional<std::string>()>& nextAnswer,
                                      std::string_view folder, bool forOpening, MessageHost& host);

} // namespace qel
