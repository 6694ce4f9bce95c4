#pragma once
// The DeclareVariable line (type code 4) and the variables it owns. Its block:
//
//   offset  width  field
//   0       u32    body length
//   4       u32    VariableType of every variable of the line
//   8       u32    ArrayKind
//   12      u32    dim1 (1 unless an array)
//   16      u32    dim2 (1 unless a 2D array)
//   20, 24  u32    name 1 (reference), initial value 1
//   28, 32  u32    name 2, initial value 2
//   36, 40  u32    name 3, initial value 3
//   44, 48  u32    name 4, initial value 4
//   52      bytes  string area: names and initial texts, NUL-terminated, front to back
//
// An initial value is the i32 for Integer, the float's bits for Floating Point, a reference to the
// text for String, and 0 for Bitmap and File. An unused name slot holds 0 in both words.

#include "program/host.h"
#include "program/param_block.h"
#include "program/program.h"
#include "values/variable_table.h"

#include <string_view>
#include <vector>

namespace qel {

namespace declare_block {
inline constexpr uint32_t kType = 4;
// The shape's words are the file reader's to check too (program/declaration_limits.h).
inline constexpr uint32_t kArrayKind = declaration_shape::kArrayKind;
inline constexpr uint32_t kDim1 = declaration_shape::kDim1;
inline constexpr uint32_t kDim2 = declaration_shape::kDim2;
inline constexpr uint32_t kFixedBody = 48;
inline constexpr int kVariables = 4;
constexpr uint32_t nameField(int k) { return 20 + 8 * static_cast<uint32_t>(k); }
constexpr uint32_t initialField(int k) { return 24 + 8 * static_cast<uint32_t>(k); }
} // namespace declare_block

// The non-empty names of a DeclareVariable block, in slot order.
std::vector<std::string_view> declaredNames(const ParamBlock& block);

// Creates the variables of one DeclareVariable block. Stops at the first one that cannot be created
// (its message shown) and returns false.
bool createVariablesOfLine(VariableTable& table, const ParamBlock& block, MessageHost& host,
                           VariableTable::Elements elements = VariableTable::Elements::Now);
// Removes the variables a DeclareVariable block declares.
void removeVariablesOfLine(VariableTable& table, const ParamBlock& block);

// Creates the variables of every DeclareVariable line of one section, in line order (after a
// program file has been read, section by section); their elements are made when a run starts.
bool createDeclaredVariables(VariableTable& table, const Program& program, uint32_t section, MessageHost& host);

// Deletes line n of the current section. A DeclareVariable line takes its variables with it; the
// first line, which cannot be deleted, keeps them.
bool deleteProgramLine(Program& program, VariableTable& table, long n, MessageHost& host);

} // namespace qel
