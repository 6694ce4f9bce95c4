#pragma once
// Finding user functions and the cache of the function each Call line found: used by the run-start
// set-up, the events and the Call handlers (through LineContext).

#include "interpreter/run_state.h"

#include <optional>
#include <string_view>

namespace qel {

// The DeclareFunction line of that name (letter case ignored), searched in sections 0 to 4.
std::optional<LineCursor> findFunction(const Program& program, std::string_view name);

// Clears the function each Call line remembers; done at every run start.
void resetCallCaches(RunState& state);

} // namespace qel
