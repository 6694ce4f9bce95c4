#pragma once
// The program file (.qel):
//
//   "QEL 1.25" 0x0A
//   five times:   u32 section number (written, not relied on)
//                 line records:  u32 type, text bytes 0x0A, u32 block length N, N body bytes
//                 u32 99         (end of the section)
//
// Integers are little-endian; texts are 8-bit. The reader takes the whole file apart before it
// touches the program, so a damaged or truncated file never leaves half a program behind.

#include "base/result.h"
#include "base/translatable.h"
#include "program/host.h"
#include "program/program.h"

#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace qel {

inline constexpr std::string_view kCurrentVersion = "QEL 1.25";

// The largest program file opened: more than ten times the largest real program, and small enough
// that the program it holds (a line in memory costs up to twenty times its bytes in the file)
// stays far inside the machine.
inline constexpr uint64_t kMaxProgramFileBytes = uint64_t{32} << 20;

struct FileVersion {
    std::string text{kCurrentVersion};
    int major = 1;
    int minor = 25;
};

bool isAcceptedVersion(std::string_view versionLine);
FileVersion parseVersion(std::string_view versionLine);

struct FileLine {
    uint32_t type = 0;
    std::string text;
    ParamBlock block;
};

struct ProgramFileContents {
    FileVersion version;
    std::array<std::vector<FileLine>, kSectionCount> sections;
    bool autoRun = false;
};

enum class ReadStatus {
    Ok,
    BadVersion, // not a program file: the program is left reset
    Corrupt,    // a line's block is damaged: the program is left reset
    Truncated,  // the file ends before the last section's end marker: the program is left reset
};

struct ReadResult {
    ReadStatus status = ReadStatus::Ok;
    Notice message; // what the user was shown, for the failures
};

// Takes a file apart without touching any program. host is asked for Ctrl/Shift at AutoRun lines.
ReadResult parseProgramFile(std::span<const uint8_t> bytes, ProgramFileContents& out, MessageHost& host);

// The type code of each line of a program file in turn, without taking the lines apart, until
// `visit` returns false. False when the file is not a program file or ends early; the lines' own
// damage is left to parseProgramFile.
bool scanLineTypes(std::span<const uint8_t> bytes, const std::function<bool(uint32_t type)>& visit);

// What the reader does with a TextFileOpen line of a file older than 1.14, with the line's display
// text in the EditBuffer: rebuild it in the current layout and store it, or drop it (return false).
using LegacyTextFileOpenConverter = std::function<bool(Program&, MessageHost&)>;

struct LoadResult {
    ReadStatus status = ReadStatus::Ok;
    FileVersion version;
    bool autoRun = false;
};

// Load: resets the program, reads the file and stores its lines through the load filter (TraceOn and
// TraceOff dropped with their message, old TextFileOpen lines converted). On every failure the user
// is told why and the program stays reset. The variable table is rebuilt by the caller.
LoadResult loadProgram(Program& program, std::span<const uint8_t> bytes, MessageHost& host,
                       const LegacyTextFileOpenConverter& convertTextFileOpen);

// Store: the whole program as "QEL 1.25" file bytes. A line whose text holds a line break (which
// the line store never keeps) is refused rather than written into a file the reader would refuse.
[[nodiscard]] Result<std::vector<uint8_t>> storeProgram(const Program& program);

inline constexpr std::string_view kBadVersionMessage = QT_TRANSLATE_NOOP("qel", "Corrupt, Obsolete or Non-QEL file.");
inline constexpr std::string_view kLineBreakInLine = "A line break in the text of line ";
inline constexpr std::string_view kTraceIgnoredMessage =
    QT_TRANSLATE_NOOP("qel", "Trace On/Trace Off instruction found and ignored");

} // namespace qel
