#pragma once
// The text form of a program, line by line. A program's texts are Latin-1 and the text form is
// UTF-8, so the marks below (all beyond Latin-1) never occur in a display text or a field value,
// and no text needs escaping:
//
//   QEL 1.25 autorun=no                       the header: the version, and whether an AutoRun line is there
//   Initialise                                a section's name, then its lines
//       DrawLine 1,2,3,4,1,"Red",Absolute ⟦DrawLine‖7≔1⟧
//       If X Equal 1 Then ⟦If⟧                indented four blanks, and four more a block level
//           ...
//       EndIf                                 a fixed-text line: its text alone
//       Draw the frame ⟦Comment⟧              a comment: its text is its value
//                                             a blank line: nothing
//
// A line of an instruction with an editor ends in its suffix, in one of two forms:
//
// - The compact form: the keyword, then only the fields the display text does not carry, each as
//   its name, ≔ and its value (⟦Let⟧, ⟦TextFileOpen‖Open For Reading≔1⟧). A field's name is its
//   dialog label without its & and colon, or its number counted from 1 where labels repeat or are
//   not words. The fields not named are read from the display text (display_reader.h): the typed
//   ones and the lists it shows; a check box or radio button not named is clear, and a field the
//   text does not show is empty (a list: its first item). So editing the display text changes the
//   line.
// - The full form: the keyword and then the values of every field in dialog order, each after ‖
//   (trailing empty values left out, but one ‖ at least: ⟦Let‖X‖‖1⟧, ⟦Return‖⟧). The display text
//   is not read: the editor makes it anew.
//
// The writer uses the compact form wherever reading it back gives the line's own fields, and the
// full form elsewhere (a display text that is not the one the editor makes). A suffix whose first
// field holds ≔ is compact; a bare keyword is compact too.

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
inline constexpr std::string_view kNamed = "\u2254";       // ≔
inline constexpr std::string_view kIndent = "    ";
inline constexpr std::string_view kAutoRunYes = " autorun=yes";
inline constexpr std::string_view kAutoRunNo = " autorun=no";

// A program's 8-bit text as UTF-8.
std::string utf8OfLatin1(std::string_view text);
// UTF-8 text as a program's 8-bit text; a failure for bytes that are not UTF-8 or a character beyond
// Latin-1.
[[nodiscard]] Result<std::string> latin1OfUtf8(std::string_view text);

// One line of the text form taken apart: the display text (indentation removed) and, when the line
// has a suffix, its keyword and field values (UTF-8, as written): in the full form the values in
// order, in the compact form each with its name.
struct TextLine {
    std::string_view display;
    bool hasSuffix = false;
    bool compact = false;
    std::string_view keyword;
    std::vector<std::string_view> fields;
    std::vector<std::string_view> names; // compact: the name of each field
};
[[nodiscard]] Result<TextLine> splitLine(std::string_view line);

// The suffix of a line of an instruction with an editor, values given as a program's texts: the
// full form, and the compact form of the fields named.
std::string suffix(std::string_view keyword, const std::vector<std::string>& values);
std::string compactSuffix(std::string_view keyword, const std::vector<std::pair<size_t, std::string>>& named,
                          const InstructionEditor& editor);

// The names of an editor's fields in the compact form, in dialog order.
const std::vector<std::string>& fieldNames(const InstructionEditor& editor);
// The field a name stands for.
std::optional<size_t> fieldNamed(const InstructionEditor& editor, std::string_view name);

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
inline constexpr std::string_view kUnnamedField = "a compact suffix's field without its name and \u2254: ";
inline constexpr std::string_view kNoSuchField = "the instruction has no field called ";
inline constexpr std::string_view kDisplayNotRead =
    "the display text is not one this instruction makes, so its fields cannot be read from it: ";

} // namespace qel::text_form
