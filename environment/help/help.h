#pragma once
// The environment's help: a small bundled HTML reference shown in a help browser window.

#include <QString>

#include <string_view>

class QWidget;

namespace qel {

// The help topic of the program view, asked for when no line is chosen.
inline constexpr std::string_view kProgramViewTopic = "Program View";
// The help topic of the forms designer's windows.
inline constexpr std::string_view kFormDesignerTopic = "Forms Designer";

// Opens the help page of a topic: an instruction's keyword ("DrawLine"), or a window's name
// ("Program View", "Add An Instruction", "Main Window", "Form Configuration", "Tab Order"). An unknown topic opens the contents page.
void showHelp(QWidget* parent, const QString& topic);

} // namespace qel
