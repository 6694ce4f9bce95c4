#pragma once
// The one program held in memory: five sections of lines, and the EditBuffer through which every
// line enters or leaves the line store.

#include "base/translatable.h"
#include "program/host.h"
#include "program/param_block.h"

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace qel {

enum SectionId : uint32_t { kInitialise = 0, kPaint = 1, kKeyboard = 2, kTimer = 3, kMouse = 4 };
inline constexpr uint32_t kSectionCount = 5;

// "Initialise", "Paint", ... as the user names the sections.
std::string_view sectionName(uint32_t section);
// "Initialisation", "Paint event", ...: the text of a new program's first line of the section.
std::string_view sectionTitle(uint32_t section);

inline constexpr size_t kMaxLineText = 1024;

// A line's text is one line of the program file, so it never holds a line break.
inline bool holdsLineBreak(std::string_view text)
{
    // Every file's line passes here when it is read and written, so sixteen characters are
    // compared at a time (the compilers' portable vector types).
    using Chunk = char __attribute__((vector_size(16)));
    const char* p = text.data();
    size_t n = text.size();
    for (; n >= 16; p += 16, n -= 16) {
        Chunk chunk;
        std::memcpy(&chunk, p, 16);
        using Halves = uint64_t __attribute__((vector_size(16)));
        // Kept in registers: through memory, the two halves' loads would wait for the store.
        const auto halves = std::bit_cast<Halves>((chunk == '\n') | (chunk == '\r'));
        if (halves[0] | halves[1])
            return true;
    }
    for (; n > 0; ++p, --n)
        if (*p == '\r' || *p == '\n')
            return true;
    return false;
}
// Each line break (CR LF, CR or LF) becomes one blank.
void blankLineBreaks(std::string& text);

struct ProgramLine {
    uint32_t type = 0; // 0: a blank line not yet filled in
    std::string text;
    ParamBlock block;
};

struct Section {
    std::vector<ProgramLine> lines; // never empty: line 0 always exists

    size_t lineCount() const { return lines.size(); }
};

// The line being built or edited, and where it goes when it is saved.
struct EditBuffer {
    std::string text;
    ParamBlock block;
    uint32_t type = 0;
    uint32_t section = 0; // the section being edited
    int32_t target = -1;  // the line saveLine replaces, or -1 to append to the section
};

class Program {
public:
    Program() { newProgram(); }

    std::array<Section, kSectionCount> sections;
    EditBuffer edit;

    // The line at index n of a section (n < 1 gives the first line), or nullptr past the end.
    const ProgramLine* lineAt(uint32_t section, long n) const;

    // Inserts a blank line after line n of a section (n < 0: after the first line) and targets the
    // EditBuffer at it; returns its index.
    uint32_t insertBlankAfter(uint32_t section, long n);
    // Stores the EditBuffer in its section: over the line at its target, or appended when the target
    // is -1. The file reader lets the stored line take the buffer's text and block instead of
    // copying them. A text is cut to kMaxLineText and its line breaks become blanks. False (after the
    // message) when memory ran out or the target is no line.
    enum class Buffer { Copy, Take };
    [[nodiscard]] bool saveLine(MessageHost& host, Buffer buffer = Buffer::Copy);
    // Removes line n of a section; line 0 is refused with a message. Removing the variables of a
    // DeclareVariable line is the caller's (the variable table lies above this layer).
    bool deleteLine(uint32_t section, long n, MessageHost& host);

    // Empties every section to its title comment line (a program without handler lines).
    void newProgram();

    size_t totalLines() const;
};

inline constexpr std::string_view kOutOfMemorySavingLine =
    QT_TRANSLATE_NOOP("qel", "Unable to save line as out of memory - Err 1001.");
inline constexpr std::string_view kDeletingFirstLine =
    QT_TRANSLATE_NOOP("qel", "Deleting the first line is not permitted");

} // namespace qel
