#include "app/variables_json.h"

#include "app/json_writer.h"
#include "inspection/variable_listing.h"

#include <cstdio>

namespace qel {

namespace {

std::string valueJson(const VariableRecord& v, size_t index)
{
    switch (v.type) {
    case kTypeInteger: return std::to_string(v.integerAt(index));
    case kTypeFloat: {
        char buf[32];
        std::snprintf(buf, sizeof buf, "%.9g", static_cast<double>(v.floatAt(index)));
        const std::string text = buf;
        // JSON has no infinities or NaN: they are written as texts.
        if (text == "inf" || text == "-inf")
            return "\"" + text + "\"";
        return text == "nan" || text == "-nan" ? "\"nan\"" : text;
    }
    case kTypeString: return jsonString(v.textAt(index));
    default: return "null";
    }
}

} // namespace

void printVariables(const VariableTable& variables, std::ostream& out)
{
    out << "{\"vars\": [";
    bool first = true;
    for (const VariableRecord& v : variables) {
        out << (first ? "" : ", ");
        first = false;
        out << "{\"name\": " << jsonString(v.name) << ", \"type\": \"" << typeWord(v.type) << "\", \"dims\": \""
            << dimensionsText(v) << "\", \"values\": [";
        // In the object viewer's order: first subscript outer, second inner.
        bool firstValue = true;
        forEachElement(v, [&](const ElementRef& e) {
            out << (firstValue ? "" : ", ") << valueJson(v, e.index);
            firstValue = false;
        });
        out << "]}";
    }
    out << "]}\n";
}

} // namespace qel
