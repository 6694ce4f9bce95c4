#pragma once
// The dispatch rows the interpreter owns: lines that do nothing, Stop, ExitQEL, PostQuitMessage,
// the case options, Let, the blocks and the functions.

#include "interpreter/dispatch.h"

namespace qel {

void registerCoreHandlers(DispatchTable& table);

} // namespace qel
