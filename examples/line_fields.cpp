#include "examples/line_fields.h"

#include "instructions/text/text_editors.h"

namespace qel::examples {

std::vector<std::string> variableFields(std::string type, std::string name, std::string initial)
{
    return {std::move(type), "Not an Array", "", "", std::move(name), std::move(initial), "", "", "", "", "", ""};
}

std::vector<std::string> arrayFields(std::string type, std::string name, int dim1, int dim2)
{
    std::vector<std::string> fields{std::move(type), dim2 == 0 ? "1D Array" : "2D Array", std::to_string(dim1), "",
                                    std::move(name)};
    if (dim2 != 0)
        fields[3] = std::to_string(dim2);
    fields.resize(12);
    return fields;
}

std::vector<std::string> letFields(std::string dest, std::string a, std::string op1, std::string b, std::string op2,
                                   std::string c)
{
    return {
        std::move(dest), "", std::move(a), std::move(op1), std::move(b), std::move(op2), std::move(c), "", "", "", ""};
}

std::vector<std::string> letFunctionFields(std::string dest, std::string function, std::string argument, std::string op,
                                           std::string second)
{
    return {std::move(dest),  "1", "", "", "", "", "", std::move(function), std::move(argument), std::move(op),
            std::move(second)};
}

std::vector<std::string> ifFields(std::string variable, std::string comparison, std::string value)
{
    std::vector<std::string> fields{"", std::move(variable), std::move(comparison), std::move(value)};
    fields.resize(17);
    return fields;
}

std::vector<std::string> forFields(std::string counter, std::string start, std::string end, std::string step)
{
    return {std::move(counter), std::move(start), std::move(end), std::move(step)};
}

std::vector<std::string> callFields(std::string name, std::string into, std::string p1, std::string p2, std::string p3)
{
    return {std::move(name), std::move(into), std::move(p1), std::move(p2), std::move(p3)};
}

std::vector<std::string> functionFields(std::string name, std::string p1, std::string returns)
{
    return {std::move(name), std::move(p1), "", "", std::move(returns)};
}

std::vector<std::string> drawTextFields(std::string left, std::string top, std::string right, std::string bottom,
                                        std::string text, int alignment, bool transparent)
{
    std::vector<std::string> fields = {
        std::move(left), std::move(top), std::move(right), std::move(bottom), std::move(text), "", "", "", "", "", ""};
    fields[static_cast<size_t>(draw_text_fields::kAlignFirst) + static_cast<size_t>(alignment)] = "1";
    fields[transparent ? draw_text_fields::kTransparent : draw_text_fields::kOpaque] = "1";
    return fields;
}

std::vector<std::string> listFields(const std::vector<std::pair<std::string, std::string>>& columns,
                                    std::string listTitle)
{
    std::vector<std::string> fields(13);
    for (size_t k = 0; k < columns.size() && k < 6; ++k) {
        fields[2 * k] = columns[k].first;
        fields[2 * k + 1] = columns[k].second;
    }
    fields[12] = std::move(listTitle);
    return fields;
}

} // namespace qel::examples
