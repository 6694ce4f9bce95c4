#pragma once
// The editors of the bitmap instructions (layouts in bitmap_instructions.h). Every field is an
// operand typed into a combo box of the program's variables. Fields, in dialog order, with the
// block offset each one fills and what it accepts:
//
//   BitmapLoad        "Load A Bitmap File":     0 "Bitmap &File" (48) variable or string literal,
//                                               1 "Bitmap &Variable" (4) variable,
//                                               2 "Returned &Width" (136) variable or empty,
//                                               3 "Returned &Height" (92) variable or empty
//   DrawBitmap        "Draw A Bitmap":          0 "Bitmap &Variable" (4), 1 "&Top" (92), 2 "&Left" (48)
//   DrawBitmapScaled  "Draw A Scaled Bitmap ":  0 "Bitmap &Variable" (4), 1 "&Left" (48), 2 "&Top" (92),
//                                               3 "&Width" (136), 4 "&Height" (180)
//   BitmapUnload      "Unload A Bitmap":        0 "File &Variable" (4)
//
// The drawing positions and sizes are numeric: a variable or a number. Fields are checked in dialog
// order. The line's text is its keyword (BitmapUnload shows "BitmapUnLoad"), a blank, then the
// fields' texts in dialog order separated by ", "; an empty field shows as nothing:
// "BitmapLoad "face.bmp", Face, W, H", "DrawBitmap Face, 20, 10".

#include "base/translatable.h"
#include "messages/editor_messages.h"
#include "values/form_editor.h"

#include <span>
#include <string_view>
#include <vector>

namespace qel {

inline constexpr std::string_view kNumericVariableOrNothingRequired = "Numeric variable of Nothing required.";
// The filter of the Bitmap File field's "..." file-open dialog.
inline constexpr std::string_view kBitmapFileFilter = QT_TRANSLATE_NOOP("qel", "Bitmap Files (*.bmp)| *.bmp||");

enum class BitmapFieldKind {
    Variable,         // a variable reference
    FileName,         // a variable or a string literal
    OptionalVariable, // a variable, or empty
    Numeric,          // a variable or a number
};

struct BitmapOperandField {
    std::string_view label;
    uint32_t slot; // block offset of the operand
    BitmapFieldKind kind;
};

struct BitmapInstructionForm {
    uint32_t type;
    std::string_view keyword; // as the line shows it
    std::string_view title;
    uint32_t fixedBody;
    std::span<const BitmapOperandField> fields; // dialog order
};

class BitmapInstructionEditor final : public FormEditor<BitmapInstructionForm> {
public:
    using FormEditor::FormEditor;
    std::vector<FieldSpec> fields() const override;
    std::vector<std::string> decode(const ProgramLine& line) const override;
    EditOutcome accept(const std::vector<std::string>& values, EditContext& context) const override;
};

// The editors of BitmapLoad, DrawBitmap, DrawBitmapScaled and BitmapUnload.
std::vector<const InstructionEditor*> bitmapEditors();

} // namespace qel
