#pragma once
// The drop-downs the instruction dialogs share: the program's functions and its variables. Each item
// carries its running position as data; the optional empty first item carries -1.

#include <cstdint>
#include <string>
#include <vector>

class QComboBox;

namespace qel {

class Program;
class VariableTable;

// The name of every DeclareFunction line, sections 0 to 4 in order and lines in order.
std::vector<std::string> declaredFunctionNames(const Program& program);

// The names of the variables of the given VariablePick groups (0: all), in table order.
std::vector<std::string> variableNames(const VariableTable& variables, uint32_t groups = 0);

void fillFunctionPicker(QComboBox& box, const Program& program);
void fillVariablePicker(QComboBox& box, const VariableTable& variables, bool withEmptyItem, uint32_t groups = 0);

} // namespace qel
