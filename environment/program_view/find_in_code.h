#pragma once
// Find and the functions list without their dialogs: searching the display texts of every line for
// a piece of text (letter case ignored), and the entries of the program's declared functions.

#include "base/translatable.h"
#include "interpreter/dispatch.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qel {

class Program;

inline constexpr std::string_view kNoMatchFound = QT_TRANSLATE_NOOP("qel", "No match found");
// The longest text the Find dialog takes.
inline constexpr int kMaxFindText = 98;

// The first line whose text contains `text` (any letter case): from the start, sections 0 to 4;
// or, continuing, after the line `from` to the end of the sections, then from the start again up to
// (not including) `from`. Lines without text never match.
std::optional<LineCursor> findText(const Program& program, std::string_view text,
                                   std::optional<LineCursor> from = std::nullopt);

struct FunctionEntry {
    std::string text; // "Name(P1,P2,P3) returning <integer>"
    LineCursor declaration;
};

// One entry a DeclareFunction line, in section order and line order.
std::vector<FunctionEntry> functionsList(const Program& program);

} // namespace qel
