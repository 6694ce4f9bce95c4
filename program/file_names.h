#pragma once
// The files a program names. Programs hold 8-bit (Latin-1) texts; the system's file names are
// UTF-8, as Qt writes them. A relative name is found beside the saved program, wherever the process
// was started from (the current directory only for a program never saved).

#include <optional>
#include <string>
#include <string_view>

namespace qel {

// A program's text as a file name of the system: every byte above 127 becomes its UTF-8 pair.
std::string nativeFileName(std::string_view programText);

// A system file name as a program's text, to be shown in a message: each character once, '?' for
// one beyond Latin-1 and for a byte that is not UTF-8.
std::string programTextOfFileName(std::string_view systemName);

// The character a UTF-8 sequence starting at `at` encodes, `at` then moving past it; nothing (and
// `at` unchanged) when the bytes there are not UTF-8 (a stray or missing continuation byte, an
// overlong form, a surrogate, a code beyond U+10FFFF).
std::optional<char32_t> nextUtf8(std::string_view text, size_t& at);

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
