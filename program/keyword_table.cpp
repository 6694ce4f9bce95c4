#include "program/keyword_table.h"

#include "program/instruction_table.h"

#include <cctype>

namespace qel {

namespace {

// The order in which keywords are grouped; each keyword's code comes from the instruction table.
constexpr std::string_view kKeywordOrder[] = {
    "AutoRun",
    "BitmapLoad",
    "BitmapUnload",
    "BreakOutOfLoop",
    "Call",
    "CallUsing",
    "CloseForm2",
    "ColourRemap",
    "Continue",
    "Comment",
    "DeclareFunction",
    "DeclareVariable",
    "DisplayVarsInListCtrl",
    "DrawArc",
    "DrawBitmap",
    "DrawBitmapScaled",
    "DrawCircle",
    "DrawFill",
    "DrawLine",
    "DrawPoint",
    "DrawRect",
    "DrawText",
    "Else",
    "EndIf",
    "EndFunction",
    "EndWhile",
    "ExitQEL",
    "For",
    "Form2Exchange",
    "FPDispDigits",
    "GetTimeAndDate",
    "If",
    "InputBox",
    "Let",
    "MessageBox",
    "Next",
    "OpenDoc",
    "OpenSaveLoadDlg",
    "OpenForm",
    "OpenForm2",
    "OptionCaseInsensitive",
    "OptionCaseSensitive",
    "Pause",
    "PlayWave",
    "PostQuitMessage",
    "PrintStart",
    "PrintStop",
    "PrintEject",
    "Return",
    "Stop",
    "StringFromNumeric",
    "StringToNumeric",
    "StringPart",
    "StringLength",
    "TextFileOpen",
    "TextFileClose",
    "TextFileRead",
    "TextFileWrite",
    "TextBackColour",
    "TextForeColour",
    "TextFont",
    "TimerStart",
    "TimerStop",
    "TraceOn",
    "TraceOff",
    "While",
    "WindowMaximise",
    "WindowRestore",
    "WindowClear",
    "WindowGetSize",
};
static_assert(std::size(kKeywordOrder) == 70);

bool equalsNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::toupper(static_cast<unsigned char>(a[i])) != std::toupper(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

int letterIndex(char c)
{
    int u = std::toupper(static_cast<unsigned char>(c));
    return (u >= 'A' && u <= 'Z') ? u - 'A' : -1;
}

uint32_t codeOfKeyword(std::string_view name)
{
    for (const InstructionInfo& info : allInstructions())
        if (info.keyword == name)
            return info.code;
    return 0;
}

} // namespace

KeywordTable::KeywordTable()
{
    firstOfLetter_.fill(-1);
    entries_.reserve(std::size(kKeywordOrder));
    for (std::string_view name : kKeywordOrder) {
        int letter = letterIndex(name[0]);
        if (firstOfLetter_[letter] < 0)
            firstOfLetter_[letter] = static_cast<int>(entries_.size());
        entries_.push_back({name, codeOfKeyword(name)});
    }
}

std::optional<uint32_t> KeywordTable::lookupKeyword(std::string_view name) const
{
    if (name.empty())
        return std::nullopt;
    const int letter = letterIndex(name[0]);
    if (letter < 0 || firstOfLetter_[letter] < 0)
        return std::nullopt;
    for (size_t i = firstOfLetter_[letter]; i < entries_.size() && letterIndex(entries_[i].name[0]) == letter; ++i)
        if (equalsNoCase(name, entries_[i].name))
            return entries_[i].code;
    return std::nullopt;
}

std::string_view KeywordTable::keywordName(uint32_t code) const
{
    for (const Keyword& k : entries_)
        if (k.code == code)
            return k.name;
    return {};
}

const KeywordTable& keywordTable()
{
    static const KeywordTable table;
    return table;
}

} // namespace qel
