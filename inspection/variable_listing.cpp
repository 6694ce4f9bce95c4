#include "inspection/variable_listing.h"

#include "values/number_text.h"

namespace qel {

std::string_view typeWord(uint32_t type)
{
    static constexpr std::string_view kWords[] = {"", "Integer", "Float", "Bitmap", "String", "File"};
    return type < std::size(kWords) ? kWords[type] : "";
}

std::string dimensionsText(const VariableRecord& v)
{
    switch (v.arrayKind) {
    case kArray1D: return std::to_string(v.dim1);
    case kArray2D: return std::to_string(v.dim1) + "," + std::to_string(v.dim2);
    default: return {};
    }
}

std::vector<VariableRow> variableRows(const VariableTable& variables)
{
    std::vector<VariableRow> rows;
    for (const VariableRecord& v : variables)
        rows.push_back({v.name, typeWord(v.type), dimensionsText(v)});
    return rows;
}

namespace {

std::string subscriptsText(const ElementRef& e)
{
    if (e.s1 == 0)
        return {};
    std::string text = std::to_string(e.s1);
    if (e.s2 != 0)
        text += "," + std::to_string(e.s2);
    return text;
}

std::string valueText(const VariableRecord& v, size_t index, uint32_t precision, bool running)
{
    // An element not made yet holds what a new variable's elements hold: zero, or no text.
    const bool made = index < v.elementCount();
    switch (v.type) {
    case kTypeInteger: return std::to_string(made ? v.integerAt(index) : 0);
    case kTypeFloat: return formatNumber(made ? v.floatAt(index) : 0.0f, precision);
    case kTypeBitmap: return std::string(kBitmapHidden);
    case kTypeFile: return std::string(kFileHidden);
    case kTypeString: return !running ? std::string(kOutOfScope) : made ? std::string(v.textAt(index)) : std::string();
    default: return {};
    }
}

} // namespace

ElementListing listElements(const VariableRecord& v, uint32_t precision, bool running, size_t limit)
{
    ElementListing listing;
    listing.total = v.declaredCount();
    listing.rows.reserve(std::min(listing.total, limit));
    forEachDeclaredElement(v, [&](const ElementRef& e) {
        if (listing.rows.size() < limit)
            listing.rows.push_back({valueText(v, e.index, precision, running), subscriptsText(e)});
    });
    return listing;
}

} // namespace qel
