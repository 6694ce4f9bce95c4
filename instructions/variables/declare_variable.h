#pragma once
// The editor of DeclareVariable lines ("Declare Variables"): one to four variables of one type and
// shape. Storing the line creates its variables at once; re-editing it replaces them.
//
// Fields, in order:
//   0 "Variable &Type"   list: Integer, Floating Point, String, Bitmap, File
//   1 "&Dimensions"      list: Not an Array, 1D Array, 2D Array
//   2 "&1st Dimension"   3 "&2nd Dimension"   (0 to 1000, arrays only)
//   4, 6, 8, 10  "Variable &Name"   with   5, 7, 9, 11  "Initial Value"
//
// An Initial Value left empty means 0 for Integer and Floating Point and the empty text for String;
// Bitmap and File take no initial value (whatever is typed there is ignored).

#include "base/translatable.h"
#include "values/editor.h"
#include "values/editor_fields.h" // kNotAListItem

#include <array>
#include <string_view>

namespace qel {

namespace declare_fields {
inline constexpr int kType = 0;
inline constexpr int kDimensions = 1;
inline constexpr int kDim1 = 2;
inline constexpr int kDim2 = 3;
inline constexpr int kCount = 12;
constexpr int nameField(int k) { return 4 + 2 * k; }
constexpr int initialField(int k) { return 5 + 2 * k; }
} // namespace declare_fields

inline constexpr std::string_view kInvalidVariableName = QT_TRANSLATE_NOOP("qel", "Invalid variable name");
// %1 is the largest dimension.
inline constexpr std::array<std::string_view, 2> kDimensionOutOfRange = {
    QT_TRANSLATE_NOOP("qel", "1st Dimension must be an integer in the range 0 - %1"),
    QT_TRANSLATE_NOOP("qel", "2nd Dimension must be an integer in the range 0 - %1")};
inline constexpr std::string_view kTooManyArrayElements =
    QT_TRANSLATE_NOOP("qel", "Arrays may not have more that 10,000 elements");
inline constexpr std::string_view kDuplicateVariableName = QT_TRANSLATE_NOOP("qel", "Duplicate variable name");
// Our own: a line declaring nothing, and a line too long for the line store.
inline constexpr std::string_view kVariableNameNeeded =
    QT_TRANSLATE_NOOP("qel", "At least one variable name is required");
inline constexpr std::string_view kDeclarationTooLong =
    QT_TRANSLATE_NOOP("qel", "Too much text for one line - shorten this value or declare the variable on another line");

class DeclareVariableEditor final : public InstructionEditor {
public:
    uint32_t type() const override;
    std::string_view title() const override { return QT_TRANSLATE_NOOP("qel", "Declare Variables"); }
    std::vector<FieldSpec> fields() const override;
    std::vector<std::string> decode(const ProgramLine& line) const override;
    EditOutcome accept(const std::vector<std::string>& values, EditContext& context) const override;
    // Removes the variables the edited line declared, creates the new ones, stores the line.
    bool store(const EditedLine& line, EditContext& context, MessageHost& host) const override;
};

} // namespace qel
