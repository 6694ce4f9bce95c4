#include "program/system_names.h"

#include "program/instruction_table.h"

namespace qel {

namespace {

// Where the name that makes a line required lies in its block.
constexpr uint32_t kFunctionNameField = 4;
constexpr uint32_t kFirstVariableNameField = 20;

template <typename List, typename Name>
bool contains(const List& list, std::string_view name, Name nameOf)
{
    for (const auto& item : list)
        if (nameOf(item) == name)
            return true;
    return false;
}

} // namespace

bool isRequiredLine(const ProgramLine& line)
{
    if (line.type == kDeclareFunction) {
        std::string_view name = line.block.textField(kFunctionNameField);
        auto self = [](std::string_view n) { return n; };
        return !name.empty() && (contains(kKeyboardHandlers, name, self) || contains(kMouseHandlers, name, self));
    }
    if (line.type == kDeclareVariable) {
        std::string_view name = line.block.textField(kFirstVariableNameField);
        auto nameOf = [](const SystemVariable& v) { return v.name; };
        return !name.empty() && (contains(kKeyboardVariables, name, nameOf) || contains(kMouseVariables, name, nameOf));
    }
    return false;
}

} // namespace qel
