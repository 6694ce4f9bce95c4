#pragma once
// The files a program names. Programs hold 8-bit (Latin-1) texts; the system's file names are
// UTF-8, as Qt writes them. A relative name is found beside the saved program, wherever the process
// was started from (the current directory only for a program never saved).

#include <string>
#include <string_view>

namespace qel {

// A program's text as a file name of the system: every byte above 127 becomes its UTF-8 pair.
std::string nativeFileName(std::string_view programText);

// A system file name as a program's text, the other way: a character beyond Latin-1 (or a byte that
// is not UTF-8) becomes '?'.
std::string programTextOfFileName(std::string_view fileName);

// The folder of a program saved at programPath (a system file name; empty: never saved), with no
// trailing slash; empty for a program never saved or one named without a folder.
std::string programFolder(std::string_view programPath);

// The system file name a program's file name stands for: an absolute name as it is, a relative one
// inside folder (a system file name; empty: the current directory); empty (no file) for a name
// holding a NUL.
std::string resolveInFolder(std::string_view folder, std::string_view programText);

// The same, for a program saved at programPath.
inline std::string resolveProgramFile(std::string_view programPath, std::string_view programText)
{
    return resolveInFolder(programFolder(programPath), programText);
}

} // namespace qel
