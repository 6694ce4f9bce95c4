#include "environment/program_view/find_in_code.h"

#include "interpreter/function_blocks.h"
#include "program/program.h"
#include "values/operand.h"

#include <algorithm>
#include <cctype>

namespace qel {

namespace {

unsigned char upper(char c) { return static_cast<unsigned char>(std::toupper(static_cast<unsigned char>(c))); }

// Whether text holds the (upper-case) piece, letter case ignored; nothing is copied.
bool holds(std::string_view text, std::string_view upperPiece)
{
    return std::search(text.begin(), text.end(), upperPiece.begin(), upperPiece.end(),
                       [](char a, char b) { return upper(a) == static_cast<unsigned char>(b); }) != text.end();
}

std::string_view resultWord(uint32_t type)
{
    switch (type) {
    case 0: return " <nothing>";
    case 1: return " <integer>";
    case 2: return " <float>";
    case 4: return " <string>";
    default: return " <unknown>";
    }
}

} // namespace

std::optional<LineCursor> findText(const Program& program, std::string_view text, std::optional<LineCursor> from)
{
    if (text.empty())
        return std::nullopt;
    std::string wanted(text);
    std::transform(wanted.begin(), wanted.end(), wanted.begin(), upper);
    const auto matches = [&](uint32_t s, size_t i) {
        const std::string& line = program.sections[s].lines[i].text;
        return !line.empty() && holds(line, wanted);
    };
    const LineCursor start = from.value_or(LineCursor{0, 0});
    // The rest of the sections after the starting line (all of them from the start)...
    for (uint32_t s = start.section; s < kSectionCount; ++s) {
        const size_t first = from && s == start.section ? start.index + 1 : 0;
        for (size_t i = first; i < program.sections[s].lines.size(); ++i)
            if (matches(s, i))
                return LineCursor{s, static_cast<uint32_t>(i)};
    }
    if (!from)
        return std::nullopt;
    // ...then from the start again, up to the starting line, which is never examined.
    for (uint32_t s = 0; s <= start.section && s < kSectionCount; ++s)
        for (size_t i = 0; i < program.sections[s].lines.size(); ++i) {
            if (s == start.section && i >= start.index)
                return std::nullopt;
            if (matches(s, i))
                return LineCursor{s, static_cast<uint32_t>(i)};
        }
    return std::nullopt;
}

std::vector<FunctionEntry> functionsList(const Program& program)
{
    std::vector<FunctionEntry> entries;
    for (uint32_t s = 0; s < kSectionCount; ++s) {
        const auto& lines = program.sections[s].lines;
        for (size_t i = 0; i < lines.size(); ++i) {
            if (lines[i].type != kDeclareFunction)
                continue;
            const ParamBlock& block = lines[i].block;
            std::string text(declaredFunctionName(block));
            text += '(';
            for (size_t k = 0; k < 3; ++k) {
                if (k > 0)
                    text += ',';
                text += readOperand(block, declare_function::kParameter[k]).name;
            }
            text += ") returning";
            text += resultWord(block.u32(declare_function::kReturnType));
            entries.push_back({std::move(text), {s, static_cast<uint32_t>(i)}});
        }
    }
    return entries;
}

} // namespace qel
