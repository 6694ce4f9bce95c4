#pragma once
// The program as the IDE and qeltool open, create and save it: the file reader with its load filter
// (old TextFileOpen lines converted through their editor), the variable table rebuilt from the
// program's declarations, and saving that never destroys the previous file.

#include "instructions/files/text_file_open.h"
#include "program/program_file.h"

#include <span>
#include <string>

namespace qel {

class VariableTable;

// Replaces the program with the file's contents. On any failure the user has been told why and the
// program is a new empty one (no handler lines).
LoadResult openProgram(Program& program, VariableTable& variables, std::span<const uint8_t> bytes, MessageHost& host,
                       const CorrectFields& correctTextFileOpen = {});

// Empties the variable table and declares the variables of every DeclareVariable line, in section
// and line order.
void rebuildVariableTable(const Program& program, VariableTable& variables, MessageHost& host);

// Writes the program to a temporary file beside path and renames it over path.
bool saveProgram(const Program& program, const std::string& path);

} // namespace qel
