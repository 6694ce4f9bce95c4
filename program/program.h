#pragma once
// The one program held in memory: five sections of lines, and the EditBuffer through which every
// line enters or leaves the line store.

#include "program/host.h"
#include "program/param_block.h"

#include <array>
#include <cstdint>
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
inline bool holdsLineBreak(std::string_view text) { return text.find_first_of("\r\n") != std::string_view::npos; }
// Each line break (CR LF, CR or LF) becomes one blank.
void blankLineBreaks(std::string& text);

struct ProgramLine {
    uint32_t type = 0; // 0: a blank line not yet filled in
    std::string text;
    ParamBlock block;
};

struct Section {
    std::vector<ProgramLine> lines; // never empty: line 0 always exists
    size_t walk = 0;                // the line reached by the last goToLine / nextLine
    // The program view's place in the section.
    int currentLine = 0;
    int topLine = 0;
    int selectionStart = 0;
    int selectionEnd = 0;
    int executionMarker = -1;

    size_t lineCount() const { return lines.size(); }
};

struct EditBuffer {
    std::string text;
    ParamBlock block;
    uint32_t type = 0;
    int32_t target = -1; // line that saveLine overwrites, or -1 to append
    uint32_t section = 0;
};

class Program {
public:
    Program() { newProgram(); }

    std::array<Section, kSectionCount> sections;
    EditBuffer edit;

    Section& current() { return sections[edit.section]; }

    // The line at index n of a section (n < 1 gives the first line), or nullptr past the end.
    const ProgramLine* lineAt(uint32_t section, long n) const;
    // Moves the section's walk position to line n and copies out what is asked for.
    bool goToLine(uint32_t section, long n, std::string* text = nullptr, ParamBlock* block = nullptr,
                  uint32_t* type = nullptr);
    // Moves the walk position one line on; false at the end.
    bool nextLine(uint32_t section, std::string* text = nullptr, ParamBlock* block = nullptr, uint32_t* type = nullptr);
    void goToLastLine(uint32_t section);

    // Links a blank line after line n of the current section and targets the EditBuffer at it.
    void insertBlankAfter(long n);
    // Stores the EditBuffer: appended when target is -1, else over the line at the walk position.
    // A text is cut to kMaxLineText and its line breaks become blanks. The file reader lets the
    // stored line take the buffer's text and block instead of copying them.
    enum class Buffer { Copy, Take };
    bool saveLine(MessageHost& host, Buffer buffer = Buffer::Copy);
    // Removes line n of the current section; line 0 is refused with a message. Removing the variables
    // of a DeclareVariable line is the caller's (the variable table lies above this layer).
    bool deleteLine(long n, MessageHost& host);
    // The section and index of a line record, making that section current; index 0 when not found.
    std::pair<uint32_t, long> findLine(const ProgramLine* line);

    // Empties every section to its title comment line (a program without handler lines).
    void newProgram();

    size_t totalLines() const;
};

inline constexpr std::string_view kOutOfMemorySavingLine = "Unable to save line as out of memory - Err 1001.";
inline constexpr std::string_view kDeletingFirstLine = "Deleting the first line is not permitted";

} // namespace qel
