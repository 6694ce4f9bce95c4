#pragma once
// The drop-downs the instruction dialogs share: the program's functions and its variables. Each item
// carries its running position as data; the optional empty first item carries -1.

#include "base/translatable.h"
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include <QString>

class QComboBox;

namespace qel {

class Program;
class VariableTable;

// The name of every DeclareFunction line, sections 0 to 4 in order and lines in order.
std::vector<std::string> declaredFunctionNames(const Program& program);

// The names of the variables of the given VariablePick groups (0: all), in table order.
std::vector<std::string> variableNames(const VariableTable& variables, uint32_t groups = 0);

void fillFunctionPicker(QComboBox& box, const Program& program);

// A file dialog filter written "Description (*.ext)| *.ext|...||" as Qt's file dialog takes it
// ("Description (*.ext);;..."), translated; "*.*" matches every file. An empty filter offers all
// files.
QString qtFileFilter(std::string_view filter);
// The string constant a file picked by a "..." button puts into its field: the path in double
// quotes, relative when the file lies in the program's folder (so the program can move with its
// files), absolute otherwise. programFolder is empty for a program never saved.
QString pickedFileText(const QString& path, const QString& programFolder);
// Whether a program's 8-bit texts hold every character of the text (Latin-1 does).
bool fitsProgramText(const QString& text);
inline constexpr std::string_view kNameNotInProgramText = QT_TRANSLATE_NOOP(
    "qel", "The file's name has characters that a program's texts cannot hold (letters beyond the Western European "
           "ones). Rename the file, or choose another one.");
void fillVariablePicker(QComboBox& box, const VariableTable& variables, bool withEmptyItem, uint32_t groups = 0);

} // namespace qel
