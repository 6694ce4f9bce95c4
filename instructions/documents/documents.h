#pragma once
// OpenDoc hands a document to the desktop; OpenSaveLoadDlg lets the user pick a file name.
//
// OpenDoc (63):                                 OpenSaveLoadDlg (77):
//   offset  width  field                          offset  width  field
//   0       u32    block length (44 + area)       0       u32    block length (48 + area)
//   4       44     Operand: the document's name,  4       44     Operand: the String variable that
//                  a String variable or a                        receives the path
//                  string constant                48      u32    1 = Load (an existing file), 0 = Save
//   48      ...    string area                    52      ...    string area
//
// Editors:
//   OpenDoc          "Open A Document": 0 "&Document Name" (a variable or string constant, with a
//                    "..." button). Line: OpenDocument "notes.txt"
//   OpenSaveLoadDlg  "Open Save/Load Dialog": 0 "&String Variable", radio buttons 1 "&Save", 2 "&Load";
//                    a new line starts with Save. Line: OpenSaveLoadDlg Path,Load

#include "base/translatable.h"
#include "interpreter/dispatch.h"
#include "values/editor.h"

#include <optional>
#include <string>
#include <string_view>

namespace qel {

namespace documents_block {
inline constexpr uint32_t kName = 4;
inline constexpr uint32_t kOpenDocBody = 44;
inline constexpr uint32_t kVariable = 4;
inline constexpr uint32_t kLoad = 48;
inline constexpr uint32_t kDialogBody = 48;
} // namespace documents_block

namespace file_dialog_fields {
inline constexpr int kVariable = 0, kSave = 1, kLoad = 2;
} // namespace file_dialog_fields

inline constexpr std::string_view kExpectingStringTypeUpper = "Expecting variable of type STRING but found variable - ";
// The filter of the Document Name field's "..." file-open dialog.
inline constexpr std::string_view kAllFilesFilter = QT_TRANSLATE_NOOP("qel", "All Files (*.*)| *.*||");

// What OpenDoc hands to the desktop for a name: an http, https or mailto address as it stands, or
// an existing regular file (a relative name beside the program) that is not a program of any kind;
// nothing for anything else, which OpenDoc then quietly leaves alone.
struct DocumentTarget {
    std::string target; // a system file name, or the address
    bool isAddress = false;
};
std::optional<DocumentTarget> documentTarget(std::string_view name, std::string_view programPath);

LineResult executeOpenDoc(LineContext& line);
LineResult executeOpenSaveLoadDlg(LineContext& line);

class OpenDocEditor final : public InstructionEditor {
public:
    uint32_t type() const override;
    std::string_view title() const override { return QT_TRANSLATE_NOOP("qel", "Open A Document"); }
    std::vector<FieldSpec> fields() const override;
    std::vector<std::string> decode(const ProgramLine& line) const override;
    EditOutcome accept(const std::vector<std::string>& values, EditContext& context) const override;
};

class OpenSaveLoadDlgEditor final : public InstructionEditor {
public:
    uint32_t type() const override;
    std::string_view title() const override { return QT_TRANSLATE_NOOP("qel", "Open Save/Load Dialog"); }
    std::vector<FieldSpec> fields() const override;
    std::vector<std::string> decode(const ProgramLine& line) const override;
    EditOutcome accept(const std::vector<std::string>& values, EditContext& context) const override;
};

} // namespace qel
