#pragma once
// Lesson profiles: a text file listing the instructions a lesson allows, one keyword a line
// (letter case ignored; the Add An Instruction lists' labels too), with `#` starting a comment and
// `include OTHER.txt` taking in another profile (found beside the file that includes it). Blank
// lines, comments, each section's title line, the lines a new program must hold (its system
// variables and handler functions) and the lines that continue or close a block whose opening
// instruction is allowed (Else, EndIf, EndWhile, Next, EndFunction) are always allowed.

#include "base/notice.h"
#include "program/instruction_table.h"
#include "program/program.h"

#include <bitset>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qel {

struct ProfileProblem {
    std::string file;  // the profile file as it was named
    uint32_t line = 0; // from 1; 0 for the file as a whole
    Notice message;
};

struct LessonProfile {
    std::string path;
    std::bitset<kLastLineType + 1> listed; // the types the files list
    std::vector<ProfileProblem> problems;

    // Whether a line of this type may be added: the types listed, the lines that continue or close
    // their blocks, blank lines and comments.
    bool allows(uint32_t type) const;
};

// The deepest chain of includes followed.
inline constexpr int kMaxProfileDepth = 8;
// The largest profile file read.
inline constexpr uint64_t kMaxProfileBytes = 1 << 20;

// Reads the profile at path and the files it includes. Every problem (an unreadable file, an
// unknown keyword, an include cycle or one too deep) is listed with its file and line; what could be
// read is kept.
LessonProfile readLessonProfile(const std::string& path);

// Whether each line of a section lies outside the profile (one entry a line).
std::vector<bool> linesOutside(const LessonProfile& profile, const Section& section);

// Where a problem is, as its line of text begins: "FILE:LINE: ".
std::string problemPlace(const ProfileProblem& problem);
// A problem as one line of text: "FILE:LINE: message", the message in English.
std::string problemText(const ProfileProblem& problem);

} // namespace qel
