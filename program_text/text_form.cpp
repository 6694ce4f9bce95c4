#include "program_text/text_form.h"

#include "instructions/catalogue.h"
#include "program/file_names.h"
#include "program/instruction_table.h"
#include "values/editor.h"

#include <algorithm>
#include <array>

#include <cstdio>

namespace qel::text_form {

namespace {

std::string_view trimBlanks(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

std::string codePointName(char32_t c)
{
    char name[16];
    std::snprintf(name, sizeof name, "U+%04X", static_cast<unsigned>(c));
    return name;
}

} // namespace

// The system's file names are UTF-8 made the same way: one character a byte.
std::string utf8OfLatin1(std::string_view text) { return nativeFileName(text); }

Result<std::string> latin1OfUtf8(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (size_t at = 0; at < text.size();) {
        const std::optional<char32_t> c = nextUtf8(text, at);
        if (!c)
            return Failure(std::string(kNotUtf8));
        if (*c > 0xFF)
            return Failure(std::string(kBeyondLatin1) + codePointName(*c));
        out += static_cast<char>(*c);
    }
    return out;
}

Result<TextLine> splitLine(std::string_view line)
{
    line = trimBlanks(line);
    TextLine out;
    const size_t open = line.find(kSuffixOpen);
    if (open == std::string_view::npos) {
        out.display = line;
        return out;
    }
    if (!line.ends_with(kSuffixClose) || line.size() < open + kSuffixOpen.size() + kSuffixClose.size())
        return Failure(std::string(kUnclosedSuffix));
    out.display = trimBlanks(line.substr(0, open));
    out.hasSuffix = true;
    std::string_view inner = line.substr(open + kSuffixOpen.size());
    inner.remove_suffix(kSuffixClose.size());
    size_t sep = inner.find(kSeparator);
    out.keyword = inner.substr(0, sep);
    while (sep != std::string_view::npos) {
        inner.remove_prefix(sep + kSeparator.size());
        sep = inner.find(kSeparator);
        out.fields.push_back(inner.substr(0, sep));
    }
    out.compact = out.fields.empty() || out.fields[0].find(kNamed) != std::string_view::npos;
    if (out.compact) {
        for (std::string_view& field : out.fields) {
            const size_t named = field.find(kNamed);
            if (named == std::string_view::npos)
                return Failure(std::string(kUnnamedField) + std::string(field));
            out.names.push_back(field.substr(0, named));
            field.remove_prefix(named + kNamed.size());
        }
    }
    return out;
}

std::string suffix(std::string_view keyword, const std::vector<std::string>& values)
{
    size_t used = values.size();
    while (used > 1 && values[used - 1].empty())
        --used;
    std::string out(kSuffixOpen);
    out += keyword;
    for (size_t i = 0; i < std::max<size_t>(used, 1); ++i) {
        out += kSeparator;
        out += i < values.size() ? utf8OfLatin1(values[i]) : "";
    }
    return out += kSuffixClose;
}

std::string compactSuffix(std::string_view keyword, const std::vector<std::pair<size_t, std::string>>& named,
                          const InstructionEditor& editor)
{
    std::string out(kSuffixOpen);
    out += keyword;
    for (const auto& [field, value] : named) {
        out += kSeparator;
        out += fieldNames(editor)[field];
        out += kNamed;
        out += utf8OfLatin1(value);
    }
    return out += kSuffixClose;
}

namespace {

// A label as a name: without its & and colon, when what is left is words.
std::string nameOfLabel(std::string_view label)
{
    std::string name;
    for (char c : label)
        if (c != '&')
            name += c;
    while (!name.empty() && (name.back() == ':' || name.back() == ' '))
        name.pop_back();
    const bool words = !name.empty() && std::ranges::all_of(name, [](char c) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == ' ';
    });
    return words && !(name[0] >= '0' && name[0] <= '9') ? name : std::string();
}

std::vector<std::string> namesOf(const InstructionEditor& editor)
{
    const std::vector<FieldSpec> fields = editor.fields();
    std::vector<std::string> names;
    names.reserve(fields.size());
    for (const FieldSpec& f : fields)
        names.push_back(nameOfLabel(f.label));
    std::vector<std::string> out;
    out.reserve(names.size());
    for (size_t i = 0; i < names.size(); ++i) {
        const bool unique = !names[i].empty() && std::ranges::count(names, names[i]) == 1;
        out.push_back(unique ? names[i] : std::to_string(i + 1));
    }
    return out;
}

} // namespace

const std::vector<std::string>& fieldNames(const InstructionEditor& editor)
{
    // Found once a type: some editors make their fields' lists anew each time.
    static const std::array<std::vector<std::string>, kLastLineType + 1> names = [] {
        std::array<std::vector<std::string>, kLastLineType + 1> all{};
        for (uint32_t type = 0; type <= kLastLineType; ++type)
            if (const InstructionEditor* e = editorFor(type))
                all[type] = namesOf(*e);
        return all;
    }();
    return names[editor.type()];
}

std::optional<size_t> fieldNamed(const InstructionEditor& editor, std::string_view name)
{
    const std::vector<std::string>& names = fieldNames(editor);
    const auto it = std::ranges::find(names, name);
    return it == names.end() ? std::nullopt : std::optional(static_cast<size_t>(it - names.begin()));
}

} // namespace qel::text_form
