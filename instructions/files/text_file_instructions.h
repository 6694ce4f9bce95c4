#pragma once
// TextFileRead, TextFileWrite and TextFileClose (TextFileOpen: text_file_open.h), and the texts the
// text-file instructions share. A File variable holds a handle into the run's table of open files.
//
// TextFileRead (42):                           TextFileWrite (43):
//   offset  width  field                         offset  width  field
//   0       u32    block length (136 + area)     0       u32    block length (92 + area)
//   4       44     Operand: File variable        4       44     Operand: File variable
//   48      44     Operand: String variable      48      44     Operand: the value, a variable
//                  (a 1D String array when                      (numeric or String) or a constant
//                  split)                        92      u32    flags: 1 line end after, 2 comma
//   92      44     Operand: numeric variable                    after, 4 quotes around
//                  for the field count           96      ...    string area
//                  (split only)
//   136     u8     1 = split the line on commas  TextFileClose (39):
//   137     3      not used                        0       u32    block length (44 + area)
//   140     ...    string area                     4       44     Operand: File variable
//                                                  48      ...    string area
//
// Editors, fields in dialog order:
//   TextFileRead   "Read A Line From A Text File": 0 "File &Variable", 1 "&Read Into String Variable",
//                  2 "&Split Line On Commas" (check), 3 "Field &Count Variable" (split only).
//                  Line: "TextFileRead F, S" or "TextFileRead F, S, Parsed, N"
//   TextFileWrite  "Write To A Text File": 0 "File &Variable", 1 "Write V&alue", 2 "Write A &Comma
//                  Afterwards", 3 "Add &Quotes Around", 4 "Add A &NewLine" (checks).
//                  Line: "TextFileWrite F, X,Quotes,Comma,NewLine" (the options set, in that order)
//   TextFileClose  "Close Text File": 0 "File &Variable". Line: "TextFileClose F"

#include "base/translatable.h"
#include "interpreter/dispatch.h"
#include "messages/editor_messages.h"
#include "messages/run_errors.h"
#include "values/editor.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace qel {

namespace text_file_block {
inline constexpr uint32_t kFile = 4;
inline constexpr uint32_t kString = 48;
inline constexpr uint32_t kCount = 92;
inline constexpr uint32_t kSplit = 136;
inline constexpr uint32_t kReadBody = 136;

inline constexpr uint32_t kValue = 48;
inline constexpr uint32_t kFlags = 92;
inline constexpr uint32_t kWriteBody = 92;
inline constexpr uint32_t kNewLineFlag = 1;
inline constexpr uint32_t kCommaFlag = 2;
inline constexpr uint32_t kQuotesFlag = 4;

inline constexpr uint32_t kCloseBody = 44;

// The index of the decoded operand at a slot offset.
constexpr size_t slotIndex(uint32_t offset) { return (offset - 4) / 44; }
} // namespace text_file_block

namespace text_file_fields {
inline constexpr int kFile = 0;
inline constexpr int kString = 1, kSplit = 2, kCount = 3;               // TextFileRead
inline constexpr int kValue = 1, kComma = 2, kQuotes = 3, kNewLine = 4; // TextFileWrite
} // namespace text_file_fields

// Run-time messages (after the run-time error header; those ending in "- " are followed by a name).
namespace text_file_msg {
inline constexpr std::string_view kNotFile = "Expecting variable of type File but found variable - ";
inline constexpr std::string_view kCannotEvaluateFile = "Can't evaulate variable as File - ";
inline constexpr std::string_view kAlreadyOpen = "A file is already open for this variable - ";
inline constexpr std::string_view kNameNotString = "Expected a string literal or string variable - ";
inline constexpr std::string_view kEmptyName = "Filename is an empty string - ";
inline constexpr std::string_view kUnableToOpen = msg::kUnableToOpenFile;
inline constexpr std::string_view kNoFileOpen = "No file is open for this variable - ";
inline constexpr std::string_view kErrorReading = "Error reading file.";
inline constexpr std::string_view kStringUndeclared = "Expecting string variable but found undeclared variable - ";
inline constexpr std::string_view kNotOneDimension = "Expecting a 1 dimension string variable - ";
inline constexpr std::string_view kUnableToEvaluateNumber = "Unable to evaluate numeric variable - ";
} // namespace text_file_msg

inline constexpr std::string_view kFileVariableRequired = QT_TRANSLATE_NOOP("qel", "File variable required.");
// The filter of the Text File Name field's "..." file-open dialog.
inline constexpr std::string_view kTextFileFilter =
    QT_TRANSLATE_NOOP("qel", "Text files (*.txt *.csv)| *.txt;*.csv|All files (*.*)| *.*||");

// The handlers.
LineResult executeTextFileOpen(LineContext& line);
LineResult executeTextFileRead(LineContext& line);
LineResult executeTextFileWrite(LineContext& line);
LineResult executeTextFileClose(LineContext& line);

class TextFileReadEditor final : public InstructionEditor {
public:
    uint32_t type() const override;
    std::string_view title() const override { return QT_TRANSLATE_NOOP("qel", "Read A Line From A Text File"); }
    std::vector<FieldSpec> fields() const override;
    std::vector<std::string> decode(const ProgramLine& line) const override;
    EditOutcome accept(const std::vector<std::string>& values, EditContext& context) const override;
};

class TextFileWriteEditor final : public InstructionEditor {
public:
    uint32_t type() const override;
    std::string_view title() const override { return QT_TRANSLATE_NOOP("qel", "Write To A Text File"); }
    std::vector<FieldSpec> fields() const override;
    std::vector<std::string> decode(const ProgramLine& line) const override;
    EditOutcome accept(const std::vector<std::string>& values, EditContext& context) const override;
};

class TextFileCloseEditor final : public InstructionEditor {
public:
    uint32_t type() const override;
    std::string_view title() const override { return QT_TRANSLATE_NOOP("qel", "Close Text File"); }
    std::vector<FieldSpec> fields() const override;
    std::vector<std::string> decode(const ProgramLine& line) const override;
    EditOutcome accept(const std::vector<std::string>& values, EditContext& context) const override;
};

} // namespace qel
