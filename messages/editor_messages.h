#pragma once
// Messages that several instruction editors show when a field is refused (OK is pressed and the
// field gets the focus back). Texts only one editor shows live beside that editor.

#include "base/translatable.h"
#include <string_view>

namespace qel {

inline constexpr std::string_view kVariableRequired = QT_TRANSLATE_NOOP("qel", "Variable required.");
inline constexpr std::string_view kExpressionRequired = QT_TRANSLATE_NOOP("qel", "Expression required.");
inline constexpr std::string_view kNumericExpressionRequired = QT_TRANSLATE_NOOP("qel", "Numeric expression required.");
inline constexpr std::string_view kInvalidExpression = QT_TRANSLATE_NOOP("qel", "Invalid expression.");
inline constexpr std::string_view kStringExpressionRequired = QT_TRANSLATE_NOOP("qel", "String expression required.");
inline constexpr std::string_view kVariableOrConstantRequired =
    QT_TRANSLATE_NOOP("qel", "Variable or constant required.");
inline constexpr std::string_view kVariableOrStringLiteralRequired =
    QT_TRANSLATE_NOOP("qel", "Variable or string literal required.");
inline constexpr std::string_view kEntryRequired = QT_TRANSLATE_NOOP("qel", "Entry required.");
// Our own: a list value that is none of the list's items (which a dialog cannot produce), and a
// line whose texts outgrow the line store.
inline constexpr std::string_view kNotAListItem = QT_TRANSLATE_NOOP("qel", "Choose one of the items in the list");
inline constexpr std::string_view kLineTooLong =
    QT_TRANSLATE_NOOP("qel", "Too much text for one line - shorten this value");

// Field labels several dialogs share.
inline constexpr std::string_view kFileVariableLabel = QT_TRANSLATE_NOOP("qel", "File &Variable");
inline constexpr std::string_view kStringVariableLabel = QT_TRANSLATE_NOOP("qel", "&String Variable");
inline constexpr std::string_view kFunctionNameLabel = QT_TRANSLATE_NOOP("qel", "Function &Name");
inline constexpr std::string_view kReturnIntoLabel = QT_TRANSLATE_NOOP("qel", "&Return Into");
inline constexpr std::string_view kParameterLabels[] = {QT_TRANSLATE_NOOP("qel", "Parameter &1"),
                                                        QT_TRANSLATE_NOOP("qel", "Parameter &2"),
                                                        QT_TRANSLATE_NOOP("qel", "Parameter &3")};

} // namespace qel
