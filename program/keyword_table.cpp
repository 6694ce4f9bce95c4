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

constexpr Abbreviation kAbbreviations[] = {
    {"bo", 53}, {"da", 9},   {"db", 10},  {"dc", 12},  {"df", 46},  {"di", 66},  {"dl", 8},   {"dp", 50},
    {"ds", 69}, {"dt", 13},  {"dv", 4},   {"ib", 76},  {"sl", 36},  {"sp", 33},  {"os", 77},  {"con", 54},
    {"com", 3}, {"dre", 11}, {"sfn", 35}, {"stn", 34}, {"tbc", 29}, {"tfc", 30}, {"tfo", 31},
};

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

int KeywordTable::lookupKeyword(std::string_view name) const
{
    if (name.empty())
        return -1;
    int letter = letterIndex(name[0]);
    if (letter < 0 || firstOfLetter_[letter] < 0)
        return -1;
    for (size_t i = firstOfLetter_[letter]; i < entries_.size() && letterIndex(entries_[i].name[0]) == letter; ++i)
        if (equalsNoCase(name, entries_[i].name))
            return static_cast<int>(entries_[i].code);
    return -1;
}

std::string_view KeywordTable::keywordName(uint32_t code) const
{
    for (const Keyword& k : entries_)
        if (k.code == code)
            return k.name;
    return {};
}

int KeywordTable::lookupAbbreviation(std::string_view typed) const
{
    for (const Abbreviation& a : kAbbreviations)
        if (equalsNoCase(typed, a.code))
            return static_cast<int>(a.type);
    return -1;
}

std::string_view KeywordTable::abbreviationOf(uint32_t type) const
{
    for (const Abbreviation& a : kAbbreviations)
        if (a.type == type)
            return a.code;
    return {};
}

std::span<const Abbreviation> KeywordTable::abbreviations() const { return kAbbreviations; }

const KeywordTable& keywordTable()
{
    static const KeywordTable table;
    return table;
}

} // namespace qel
