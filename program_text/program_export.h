#pragma once
// Writes a program, or some lines of a section, in the text form (text_form.h).

#include "program/program.h"

#include <string>

namespace qel {

// The whole program: the header and the five sections.
std::string exportProgram(const Program& program);

// The section's name and its lines first to last (inclusive), each indented by its block level as
// the whole section shows it.
std::string exportLines(const Program& program, uint32_t section, size_t first, size_t last);

} // namespace qel
