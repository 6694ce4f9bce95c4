#pragma once
// The field texts of common lines, in their dialogs' field order, for building programs through the
// editors (EditorBuilder): what a user would type or tick.

#include <string>
#include <utility>
#include <vector>

namespace qel::examples {

std::vector<std::string> variableFields(std::string type, std::string name, std::string initial = "");
// A one- or two-dimensional array's declaration (dim2 0: one dimension).
std::vector<std::string> arrayFields(std::string type, std::string name, int dim1, int dim2 = 0);
std::vector<std::string> letFields(std::string dest, std::string a, std::string op1 = "", std::string b = "",
                                   std::string op2 = "", std::string c = "");
// Let with a function: dest = function(argument) [op second].
std::vector<std::string> letFunctionFields(std::string dest, std::string function, std::string argument,
                                           std::string op = "", std::string second = "");
// One comparison row of an If or While line.
std::vector<std::string> ifFields(std::string variable, std::string comparison, std::string value);
std::vector<std::string> forFields(std::string counter, std::string start, std::string end, std::string step = "");
std::vector<std::string> callFields(std::string name, std::string into = "", std::string p1 = "", std::string p2 = "",
                                    std::string p3 = "");
std::vector<std::string> functionFields(std::string name, std::string p1 = "", std::string returns = "(Nothing)");
// DrawText's fields: the box, the text, the alignment (0 Left, 1 Centre, 2 Right, 3 GetSize) and
// whether the background shows through.
std::vector<std::string> drawTextFields(std::string left, std::string top, std::string right, std::string bottom,
                                        std::string text, int alignment = 0, bool transparent = false);
// DisplayVarsInListCtrl's fields: variables with their titles ("" for none), then the list title.
std::vector<std::string> listFields(const std::vector<std::pair<std::string, std::string>>& columns,
                                    std::string listTitle = "");

} // namespace qel::examples
