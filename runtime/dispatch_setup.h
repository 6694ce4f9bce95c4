#pragma once
// The dispatch table of a run with every layer's handlers attached.

#include "interpreter/dispatch.h"

namespace qel {

const DispatchTable& fullDispatchTable();

} // namespace qel
