#pragma once
// The help text of every instruction: what it does, what its dialog's fields mean, and an example
// line. The example is built by the instruction's own editor from sample field values, so the help
// shows exactly what the program view would; instructions without an editor show a written example.

#include "instructions/descriptor.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace qel {

// The descriptor of an instruction that has a help page; nullptr for codes without one.
const InstructionDescriptor* instructionHelpFor(uint32_t type);

// The example line's display text: built by the instruction's editor from the sample when it has
// one, else the fixed text or the written example. Nothing when there is none.
std::optional<std::string> exampleLine(const InstructionDescriptor& instruction);

// The type code a help topic names: a keyword in any letter case, or a label of the Add An
// Instruction lists such as "Forms2Open".
std::optional<uint32_t> instructionTypeForTopic(std::string_view topic);

} // namespace qel
