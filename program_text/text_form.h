#pragma once
// The text form of a program, line by line. A program's texts are Latin-1 and the text form is
// UTF-8, so the marks below (all beyond Latin-1) never occur in a display text or a field value,
// and no text needs escaping:
//
//   QEL 1.25 autorun=no                       the header: the version, and whether an AutoRun line is there
//   Initialise                                a section's name, then its lines
//       DrawLine 1,2,3,4,1,"Red",Absolute ⟦DrawLine‖1‖2‖3‖4‖1‖Red‖1⟧
//       If X Equal 1 Then ⟦If‖...⟧           indented four blanks, and four more a block level
//           ...
//       EndIf                                 a fixed-text line: its text alone
//       Draw the frame ⟦Comment⟧              a comment: its text is its value
//                                             a blank line: nothing
//
// A line of an instruction with an editor ends in its suffix: the keyword and then the values of
// the editor's fields in dialog order, each after a separator (trailing empty values left out). The
// text before the suffix is the display text, for the reader; reading builds the line from the
// suffix through the editor, which makes the display text anew. Where the display text is the
// line's only field as it is (a comment without blanks at its ends), the suffix holds the keyword
// alone and the display text is the value.

#include "base/result.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qel {
class InstructionEditor;
}

namespace qel::text_form {

inline constexpr std::string_view kSuffixOpen = "\u27e6";  // ⟦
inline constexpr std::string_view kSuffixClose = "\u27e7"; // ⟧
inline constexpr std::string_view kSeparator = "\u2016";   // ‖
inline constexpr std::string_view kIndent = "    ";
inline constexpr std::string_view kAutoRunYes = " autorun=yes";
inline constexpr std::string_view kAutoRunNo = " autorun=no";

// A program's 8-bit text as UTF-8.
std::string utf8OfLatin1(std::string_view text);
// UTF-8 text as a program's 8-bit text; a failure for bytes that are not UTF-8 or a character beyond
// Latin-1.
[[nodiscard]] Result<std::string> latin1OfUtf8(std::string_view text);

// One line of the text form taken apart: the display text (indentation removed) and, when the line
// has a suffix, its keyword and field values (UTF-8, as written).
struct TextLine {
    std::string_view display;
    bool hasSuffix = false;
    std::string_view keyword;
    std::vector<std::string_view> fields;
};
[[nodiscard]] Result<TextLine> splitLine(std::string_view line);

// The suffix of a line of an instruction with an editor, values given as a program's texts.
std::string suffix(std::string_view keyword, const std::vector<std::string>& values);

// What the text form needs to know of an editor's fields: how many there are, and whether the only
// one is a text that the display text shows as it is (a comment). Such a line whose display text
// is its value, with no blank at either end, has the keyword alone in its suffix, and the reader
// takes the value from the display text.
struct FieldShape {
    size_t count = 0;
    bool textIsTheField = false;
};
const FieldShape& fieldShape(const InstructionEditor& editor);
// Whether the display text stands for the line's only field.
bool displayCarriesTheField(const InstructionEditor& editor, std::string_view display,
                            const std::vector<std::string>& values);

// Texts the reader reports (after "line N: ").
inline constexpr std::string_view kNotUtf8 = "the text is not UTF-8";
inline constexpr std::string_view kBeyondLatin1 = "a character a program's texts cannot hold: ";
inline constexpr std::string_view kNulOrLineBreakInField = "a field holds a NUL or a line break, which no dialog takes";
inline constexpr std::string_view kUnclosedSuffix = "the fields that begin with \u27e6 do not end with \u27e7";
inline constexpr std::string_view kBadHeader =
    "the first line is not \"QEL 1.25 autorun=yes\" or \"QEL 1.25 autorun=no\"";
inline constexpr std::string_view kAutoRunMismatch = "the header's autorun does not match the program's AutoRun lines";
inline constexpr std::string_view kNoSuchKeyword = "no instruction is called ";
inline constexpr std::string_view kNoEditor = "this instruction has no fields to build it from: ";
inline constexpr std::string_view kTooManyFields = "more fields than the instruction has: ";
inline constexpr std::string_view kNotALine =
    "neither a section name, a fixed-text line nor a line with its fields in \u27e6 \u27e7: ";
inline constexpr std::string_view kSectionOrder =
    "the sections go Initialise, Paint, Keyboard, Timer, Mouse, each once: ";
inline constexpr std::string_view kLineBeforeSection = "a line before the first section's name";
inline constexpr std::string_view kNotStored = "the line could not be stored";

} // namespace qel::text_form
