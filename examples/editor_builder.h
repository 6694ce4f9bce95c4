#pragma once
// Builds a program line by line through the instruction editors, from the keyword and the field
// texts a user would type into its dialog, so what it stores is what the dialogs store. Messages the
// editors would show are kept, so a caller can tell whether every line was taken.

#include "program/host.h"
#include "program/program.h"
#include "values/variable_table.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace qel::examples {

// Keeps every message instead of showing it, and answers with the default button.
class KeptMessages : public MessageHost {
public:
    Button showMessage(std::string_view text, Icon icon, Buttons buttons = Buttons::Ok) override;

    std::vector<std::string> texts;
};

class EditorBuilder {
public:
    EditorBuilder(Program& program, VariableTable& variables) : program_(program), variables_(variables) {}

    // Lines added from now on go to section `s`.
    EditorBuilder& section(uint32_t s);
    // Appends a line to the current section; an unknown keyword or a field the editor refuses is
    // kept among the messages.
    EditorBuilder& add(std::string_view keyword, const std::vector<std::string>& fields = {});
    // The Keyboard and Mouse sections with their system variables and every handler function, the
    // one named `handler` (if any) with the lines `body` adds; then back to Initialise.
    EditorBuilder& handlers(std::string_view handler = "", const std::function<void(EditorBuilder&)>& body = {});

    KeptMessages messages;

private:
    Program& program_;
    VariableTable& variables_;
};

// Field texts of common lines, in their dialogs' field order.
std::vector<std::string> variableFields(std::string type, std::string name, std::string initial = "");
std::vector<std::string> letFields(std::string dest, std::string a, std::string op1 = "", std::string b = "",
                                   std::string op2 = "", std::string c = "");
std::vector<std::string> ifFields(std::string variable, std::string comparison, std::string value);
std::vector<std::string> forFields(std::string counter, std::string start, std::string end);
std::vector<std::string> callFields(std::string name, std::string into = "", std::string p1 = "");
std::vector<std::string> functionFields(std::string name, std::string p1 = "", std::string returns = "(Nothing)");
// DrawText's fields: the box, the text, the alignment (0 Left, 1 Centre, 2 Right) and whether the
// background shows through.
std::vector<std::string> drawTextFields(std::string left, std::string top, std::string right, std::string bottom,
                                        std::string text, int alignment, bool transparent);

} // namespace qel::examples
