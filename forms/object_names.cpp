#include "forms/object_names.h"

#include <algorithm>
#include <cctype>

namespace qel {

namespace {

struct Prefix {
    std::string_view text;
    int16_t type;
};

// In the order the prefix test tries them.
constexpr Prefix kPrefixes[] = {
    {"butt", object_type::kButton},   {"frm", object_type::kForm},  {"rect", object_type::kRectangle},
    {"st", object_type::kStaticText}, {"txt", object_type::kEdit},  {"chk", object_type::kCheckBox},
    {"cmb", object_type::kComboBox},  {"img", object_type::kImage}, {"line", object_type::kLine},
};

char lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

bool beginsWithIgnoringCase(std::string_view text, std::string_view start)
{
    return text.size() >= start.size() && sameTextIgnoringCase(text.substr(0, start.size()), start);
}

} // namespace

bool sameTextIgnoringCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return lower(x) == lower(y); });
}

std::string_view namePrefix(int16_t type)
{
    for (const Prefix& p : kPrefixes)
        if (p.type == type)
            return p.text;
    return {};
}

int16_t typeOfNamePrefix(std::string_view name)
{
    for (const Prefix& p : kPrefixes)
        if (name.starts_with(p.text))
            return p.type;
    return object_type::kNotKnown;
}

bool isNameTaken(std::string_view name, const FormObjects& form)
{
    return std::any_of(form.begin(), form.end(),
                       [&](const FormObject& o) { return beginsWithIgnoringCase(o.name, name); });
}

std::string makeUniqueName(std::string_view name, const FormObjects& form)
{
    std::string candidate(name);
    constexpr unsigned kLastSuffix = 9998;
    for (unsigned n = 0; isNameTaken(candidate, form) && n <= kLastSuffix; ++n)
        candidate = std::string(name) + "_" + std::to_string(n);
    return candidate;
}

std::string defaultObjectName(int16_t type, const FormObjects& form)
{
    return makeUniqueName(std::string(namePrefix(type)) + std::to_string(form.size()), form);
}

} // namespace qel
