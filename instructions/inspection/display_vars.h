#pragma once
// DisplayVarsInListCtrl: a running program shows up to six one-dimensional arrays side by side in a
// variable list window, one column each.
//
// Block (type 75):
//   offset                       width  field
//   0                            u32    block length
//   4, 48, 92, 136, 180, 224     44     Operand: variables 1 to 6 (empty: no column)
//   268                          44     Operand: the list's title (a String variable, a string
//                                       constant, or empty for "Variable Values")
//   312, 356, 400, 444, 488, 532 44     Operand: column titles 1 to 6 (empty: the variable's name)
//   576                          ...    string area
//
// Dialog "Display Variables In A List", fields in order: "Variable &1", "Title 1", ... "Variable &6",
// "Title 6", then "&List Title". A variable field takes a variable or nothing; the titles take a
// String variable, a string constant or nothing ("String expression required.").
// Line text: DisplayVarsInListCtrl Names ("Name"), Scores Title "High scores"
//
// When variable 1 is named QEL_Flag_String it is no column: variable 2 then holds a flag string of
// key=value items separated by ";" (DRC=n limits the rows shown to n).

#include "base/translatable.h"
#include "interpreter/dispatch.h"
#include "values/editor.h"

#include <cstdint>
#include <string_view>

namespace qel {

namespace display_vars {
inline constexpr size_t kColumns = 6;
constexpr uint32_t variable(size_t k) { return 4 + 44 * static_cast<uint32_t>(k); }
inline constexpr uint32_t kListTitle = 268;
constexpr uint32_t columnTitle(size_t k) { return 312 + 44 * static_cast<uint32_t>(k); }
inline constexpr uint32_t kFixedBody = 576;
// The decoded operands, in block order.
constexpr size_t variableSlot(size_t k) { return k; }
inline constexpr size_t kListTitleSlot = 6;
constexpr size_t titleSlot(size_t k) { return 7 + k; }
} // namespace display_vars

inline constexpr std::string_view kDefaultListTitle = "Variable Values";
inline constexpr std::string_view kFlagStringName = "QEL_Flag_String";
inline constexpr std::string_view kNoFlagString = "QEL_Flag_String used without a flag string ";
inline constexpr std::string_view kNegativeRowCount = "QEL_Flag_String has used DRC= with a negative value.";
inline constexpr std::string_view kListVariableType =
    "Expecting variable of type STRING,INTEGER or FLOAT but found variable - ";
inline constexpr std::string_view kListOneDimension = "Expecting 1 dimensional array but found variable - ";
inline constexpr std::string_view kListSameCount = "All variables must have the same number of elements - ";

class DisplayVarsEditor final : public InstructionEditor {
public:
    uint32_t type() const override;
    std::string_view title() const override { return QT_TRANSLATE_NOOP("qel", "Display Variables In A List"); }
    std::vector<FieldSpec> fields() const override;
    std::vector<std::string> decode(const ProgramLine& line) const override;
    EditOutcome accept(const std::vector<std::string>& values, EditContext& context) const override;
};

LineResult executeDisplayVars(LineContext& line);

} // namespace qel
