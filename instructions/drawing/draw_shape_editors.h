#pragma once
// The editors of the shape instructions (layouts in draw_shapes.h). Fields, in order: the operand
// fields (combo boxes of the program's variables), then the colour lists, then the check boxes:
//
//   DrawLine   "Draw A Line":       "&From X", "Fro&m Y", "&To X", "T&o Y", "&Width", "&Colour",
//                                   "To X/Y &Absolute"
//   DrawRect   "Draw A Rectangle":  "&Left", "T&op", "&Right", "&Bottom", "&Width", "&Colour",
//                                   "&Fill Colour", "Tra&nsparent", "To X/Y &Absolute"
//   DrawCircle "Draw A Circle":     "Centre &X", "Centre &Y", "&Radius X", "R&adius Y", "&Width", "&Colour"
//   DrawArc    "Draw An Arc":       "Centre &X", "Centre &Y", "&Radius X", "R&adius Y", "&Start", "&End",
//                                   "&Width", "&Colour"
//   DrawPoint  "Draw A Point":      "At &X", "At &Y", "&Colour"
//   DrawFill   "Fill An Area":      "At &X", "At &Y", "&Colour"
//
// DrawLine takes whole-number constants or variables, a constant width 1 to 9; the others take any
// numeric constant or a variable. A colour list left empty means Black, the item a new line shows.
//
// The line's text is the keyword, a blank, the operand texts in field order separated by ",", each
// colour name in double quotes after a ",", then ",Transparent" and ",Absolute" for the boxes that
// are set: DrawLine 10,20,X,40,1,"Red",Absolute   DrawRect 1,2,3,4,1,"Black","Blue",Transparent

#include "values/form_editor.h"

#include <span>
#include <string_view>
#include <vector>

namespace qel {

inline constexpr std::string_view kFloatInvalidFrom = "Floating Point constant invalid in this context.";
inline constexpr std::string_view kFloatInvalidTo = "Floating Point constant invaLid in this context.";
inline constexpr std::string_view kStringConstantInvalid = "String constant invalid in this context.";
inline constexpr std::string_view kLineExpressionRequired = "Expression Required.";
inline constexpr std::string_view kLineWidthRange = "Line width must be between 1 and 9.";

struct ShapeOperandField {
    std::string_view label;
    uint32_t slot;                         // block offset of the operand
    std::string_view floatingMessage = {}; // whole numbers only: the message for a floating constant
    bool penWidth = false;                 // whole numbers only: a constant must be 1 to 9
};

enum class ShapeControlKind { Colour, Check };

struct ShapeControl {
    ShapeControlKind kind;
    std::string_view label;
    uint32_t offset;                  // the u32 of the block it sets
    std::string_view lineOption = {}; // Check: the word the line's text shows when set
};

struct ShapeForm {
    uint32_t type;
    std::string_view title;
    uint32_t fixedBody;
    bool wholeNumbers; // DrawLine's rules for the operand fields
    std::span<const ShapeOperandField> operands;
    std::span<const ShapeControl> controls;
};

class ShapeEditor final : public FormEditor<ShapeForm> {
public:
    using FormEditor::FormEditor;
    std::vector<FieldSpec> fields() const override;
    std::vector<std::string> decode(const ProgramLine& line) const override;
    EditOutcome accept(const std::vector<std::string>& values, EditContext& context) const override;
};

// The editors of DrawLine, DrawRect, DrawCircle, DrawArc, DrawPoint and DrawFill.
std::vector<const InstructionEditor*> shapeEditors();

} // namespace qel
