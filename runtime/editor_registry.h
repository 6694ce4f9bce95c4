#pragma once
// The editor logic of every instruction that has one, by type code. Dialogs, the file reader's
// conversions and the tests' ProgramBuilder find editors here.

#include "values/editor.h"

namespace qel {

// nullptr for fixed-text lines, invalid codes and instructions whose editor does not exist yet.
const InstructionEditor* editorFor(uint32_t type);

} // namespace qel
