#pragma once
// TextFileOpen: opens a text file for reading or writing into a File variable.
//
//   offset  width  field
//   0       u32    block length (92 + string area)
//   4       44     Operand: the File variable
//   48      44     Operand: the file name, a string literal or a String variable
//   92      u32    1 = open for reading, 0 = open for writing
//   96      ...    string area
//
// Program files older than 1.14 hold these lines in an older layout; the reader rebuilds them from
// their display text alone.

#include "base/translatable.h"
#include "program/host.h"
#include "values/editor.h"
#include "values/editor_fields.h"

#include <functional>

namespace qel {

namespace text_file_open {
inline constexpr uint32_t kFileVariable = 4;
inline constexpr uint32_t kFileName = 48;
inline constexpr uint32_t kForReading = 92;
inline constexpr uint32_t kFixedBody = 92;

enum Field { kFileVariableField, kFileNameField, kReadingField, kWritingField };
} // namespace text_file_open

inline constexpr std::string_view kStringVariableOrLiteralRequired =
    QT_TRANSLATE_NOOP("qel", "String variable or string literal required.");

class TextFileOpenEditor final : public InstructionEditor {
public:
    uint32_t type() const override;
    std::string_view title() const override { return QT_TRANSLATE_NOOP("qel", "Open A Text File"); }
    std::vector<FieldSpec> fields() const override;
    std::vector<std::string> decode(const ProgramLine& line) const override;
    EditOutcome accept(const std::vector<std::string>& values, EditContext& context) const override;
};

// The words of an old line's text: split at blanks and at commas outside parentheses, a
// double-quoted piece being one word with its quotes.
std::vector<std::string> splitOldTextFileOpenText(std::string_view text);

// The field values an old line's text stands for.
std::vector<std::string> fieldsFromOldText(std::string_view text);

// Asked when a converted line's value fails its validation, after the message was shown: returns the
// corrected field values, or nothing to drop the line. Without one, the line is dropped.
using CorrectFields =
    std::function<std::optional<std::vector<std::string>>(std::vector<std::string> values, const FieldError& error)>;

// Rebuilds the old TextFileOpen line held in the EditBuffer (its display text) in the current layout
// and stores it; false when the line is dropped.
bool convertOldTextFileOpen(EditContext& context, MessageHost& host, const CorrectFields& correct = {});

} // namespace qel
