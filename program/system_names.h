#pragma once
// The variables the system writes into and the handler functions it calls, by section. A new program
// declares them; their declaring lines are required and can be neither edited nor deleted.

#include "program/program.h"

#include <span>
#include <string_view>

namespace qel {

struct SystemVariable {
    std::string_view name;
    bool isString; // else Integer
};

inline constexpr SystemVariable kKeyboardVariables[] = {{"qelScanCode", false}, {"qelChar", true}};
inline constexpr SystemVariable kMouseVariables[] = {
    {"qelMouseX", false}, {"qelMouseY", false}, {"qelMouseLButton", false}, {"qelMouseRButton", false}};

inline constexpr std::string_view kKeyboardHandlers[] = {"qelOnKeyDown", "qelOnChar"};
// In the order of the mouse handler codes 1 to 5.
inline constexpr std::string_view kMouseHandlers[] = {"qelOnLeftButtonDown", "qelOnLeftButtonUp",
                                                      "qelOnRightButtonDown", "qelOnRightButtonUp", "qelOnMove"};

// A DeclareFunction line of a handler function, or a DeclareVariable line whose first variable is a
// system variable (names compared with case).
bool isRequiredLine(const ProgramLine& line);

} // namespace qel
