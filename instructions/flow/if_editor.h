#pragma once
// The editor of If lines ("If"): up to three rows of variable, comparison and value, joined by
// "C&ondition" lists, with a "(" before and a ")" after each row.
//
// Fields, in order, row by row (row k = 0, 1, 2 starts at field 6k):
//   6k+0 "("              check box
//   6k+1 "&Variable"
//   6k+2 "&Comparision"   list: Greater Than, Less Than, Greater Than or Equal, Less Than or Equal,
//                               Equal, Not Equal, .AtEndOfFile, IsNumeric, IsNotNumeric, empty
//   6k+3 "&Value"
//   6k+4 ")"              check box
//   6k+5 "C&ondition"     list: AND, OR, XOR, empty (rows 0 and 1 only: it joins the next row)
//
// A row is used when the condition before it is set; the fields of unused rows, brackets included,
// are not looked at. A second condition without a first is refused with "Condition required." at
// the first. The one pair of brackets allowed must open on a row at or before the row it closes.
//
// Display text: "If A Greater Than 5 AND (B Equal 2 OR C Less Than 1) Then"; a comparison without a
// right operand follows the variable with a blank ("If S IsNumeric Then"), except .AtEndOfFile,
// which follows it directly ("If InFile.AtEndOfFile Then").

#include "base/translatable.h"
#include "messages/editor_messages.h"
#include "values/editor.h"
#include "values/editor_fields.h"

#include <span>
#include <string_view>

namespace qel {

namespace if_fields {
constexpr int openField(int row) { return 6 * row; }
constexpr int variableField(int row) { return 6 * row + 1; }
constexpr int comparisonField(int row) { return 6 * row + 2; }
constexpr int valueField(int row) { return 6 * row + 3; }
constexpr int closeField(int row) { return 6 * row + 4; }
constexpr int conditionField(int row) { return 6 * row + 5; } // rows 0 and 1
inline constexpr int kRows = 3;
inline constexpr int kCount = 17;
} // namespace if_fields

inline constexpr std::string_view kExpectingEmptyField = QT_TRANSLATE_NOOP("qel", "Expecting empty field.");
inline constexpr std::string_view kConditionRequired = QT_TRANSLATE_NOOP("qel", "Condition required.");
inline constexpr std::string_view kUnbalancedParenthesis = QT_TRANSLATE_NOOP("qel", "Unbalanced parenthesis.");
inline constexpr std::string_view kUnnecessaryParenthesis = QT_TRANSLATE_NOOP("qel", "Unneccessary parenthesis.");

// The comparison list in the dialogs' order with the codes blocks store; While offers the first
// kRelationalComparisons of them.
std::span<const ListItem> comparisonItems();
inline constexpr std::string_view kGreaterThanItem = "Greater Than";
inline constexpr size_t kRelationalComparisons = 6;

class IfEditor final : public InstructionEditor {
public:
    uint32_t type() const override;
    std::string_view title() const override { return QT_TRANSLATE_NOOP("qel", "If"); }
    std::vector<FieldSpec> fields() const override;
    std::vector<std::string> decode(const ProgramLine& line) const override;
    EditOutcome accept(const std::vector<std::string>& values, EditContext& context) const override;
};

} // namespace qel
