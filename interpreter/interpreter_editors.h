#pragma once
// The editors whose instructions live in this layer. The editor registry gathers every layer's list.

#include "values/editor.h"

#include <vector>

namespace qel {

std::vector<const InstructionEditor*> interpreterEditors();

} // namespace qel
