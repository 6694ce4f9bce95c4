#include "program_text/text_form.h"

#include "instructions/catalogue.h"
#include "program/file_names.h"
#include "program/instruction_table.h"
#include "values/editor.h"

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
    return out;
}

std::string suffix(std::string_view keyword, const std::vector<std::string>& values)
{
    size_t used = values.size();
    while (used > 0 && values[used - 1].empty())
        --used;
    std::string out(kSuffixOpen);
    out += keyword;
    for (size_t i = 0; i < used; ++i) {
        out += kSeparator;
        out += utf8OfLatin1(values[i]);
    }
    return out += kSuffixClose;
}

const FieldShape& fieldShape(const InstructionEditor& editor)
{
    // Found once a type: some editors make their fields' lists anew each time.
    static const std::array<FieldShape, kLastLineType + 1> shapes = [] {
        std::array<FieldShape, kLastLineType + 1> all{};
        for (uint32_t type = 0; type <= kLastLineType; ++type) {
            if (const InstructionEditor* e = editorFor(type)) {
                const std::vector<FieldSpec> fields = e->fields();
                all[type] = {fields.size(), fields.size() == 1 && fields[0].kind == FieldKind::Text};
            }
        }
        return all;
    }();
    return shapes[editor.type()];
}

bool displayCarriesTheField(const InstructionEditor& editor, std::string_view display,
                            const std::vector<std::string>& values)
{
    return fieldShape(editor).textIsTheField && values.size() == 1 && values[0] == display &&
           trimBlanks(display) == display;
}

} // namespace qel::text_form
