#include "program/instruction_table.h"
#include "base/translatable.h"

#include <array>

namespace qel {

namespace {

using L = RefLayout;

constexpr InstructionInfo row(uint32_t code, std::string_view keyword, L layout, uint8_t slots = 0)
{
    return {code, keyword, {}, layout, slots, {}, {}};
}

constexpr InstructionInfo fixedRow(uint32_t code, std::string_view keyword, std::string_view text,
                                   std::string_view refusal)
{
    return {code, keyword, text, L::None, 0, {}, refusal};
}

constexpr InstructionInfo invalidRow(uint32_t code) { return {code, {}, {}, L::Invalid, 0, {}, {}}; }

constexpr InstructionInfo formRow(uint32_t code, std::string_view keyword, uint8_t slots, std::string_view label)
{
    return {code, keyword, {}, L::Slots, slots, label, {}};
}

constexpr std::array<InstructionInfo, kLastLineType + 1> kTable = {{
    row(0, {}, L::None),
    row(1, "Call", L::Slots, 5),
    row(2, "WindowClear", L::None),
    row(3, "Comment", L::None),
    row(4, "DeclareVariable", L::DeclareVariable),
    invalidRow(5),
    invalidRow(6),
    invalidRow(7),
    row(8, "DrawLine", L::Slots, 4),
    row(9, "DrawArc", L::Slots, 7),
    row(10, "DrawBitmap", L::Slots, 3),
    row(11, "DrawRect", L::Slots, 5),
    row(12, "DrawCircle", L::Slots, 5),
    row(13, "DrawText", L::Slots, 5),
    fixedRow(14, "EndIf", "EndIf", QT_TRANSLATE_NOOP("qel", "An EndIf statement can not be edited.")),
    fixedRow(15, "EndWhile", "EndWhile", QT_TRANSLATE_NOOP("qel", "An EndWhile statement can not be edited.")),
    row(16, "If", L::Slots, 6),
    row(17, "For", L::Slots, 4),
    invalidRow(18),
    row(19, "GetTimeAndDate", L::Slots, 2),
    invalidRow(20),
    row(21, "WindowGetSize", L::Slots, 2),
    invalidRow(22),
    row(23, "Let", L::SlotsAt8, 4),
    row(24, "BitmapLoad", L::Slots, 4),
    row(25, "MessageBox", L::Slots, 2),
    fixedRow(26, "Next", "Next", QT_TRANSLATE_NOOP("qel", "A Next statement can not be edited.")),
    fixedRow(27, "PostQuitMessage", "PostQuitMessage",
             QT_TRANSLATE_NOOP("qel", "A PostQuitMessage statement can not be edited.")),
    row(28, "Return", L::Slots, 1),
    row(29, "TextBackColour", L::None),
    row(30, "TextForeColour", L::None),
    row(31, "TextFont", L::TextFont),
    fixedRow(32, "Stop", "Stop", QT_TRANSLATE_NOOP("qel", "A Stop statement can not be edited.")),
    row(33, "StringPart", L::Slots, 4),
    row(34, "StringToNumeric", L::Slots, 2),
    row(35, "StringFromNumeric", L::Slots, 2),
    row(36, "StringLength", L::Slots, 2),
    row(37, "TimerStart", L::None),
    fixedRow(38, "TimerStop", "TimerStop", QT_TRANSLATE_NOOP("qel", "An TimerStop statement can not be edited.")),
    row(39, "TextFileClose", L::Slots, 1),
    row(40, "TextFileOpen", L::Slots, 2),
    invalidRow(41),
    row(42, "TextFileRead", L::Slots, 3),
    row(43, "TextFileWrite", L::Slots, 2),
    invalidRow(44),
    row(45, "While", L::Slots, 2),
    row(46, "DeclareFunction", L::Slots, 4),
    fixedRow(47, "EndFunction", "EndFunction", QT_TRANSLATE_NOOP("qel", "An EndFunction statement can not be edited.")),
    fixedRow(48, "Else", "Else", QT_TRANSLATE_NOOP("qel", "An Else statement can not be edited.")),
    row(49, "BitmapUnload", L::Slots, 1),
    row(50, "DrawPoint", L::Slots, 3),
    invalidRow(51),
    row(52, "PlayWave", L::Slots, 1),
    fixedRow(53, "BreakOutOfLoop", "BreakOutOfLoop",
             QT_TRANSLATE_NOOP("qel", "A BreakOutOfLoop statement can not be edited.")),
    fixedRow(54, "Continue", "ContinueLoop", QT_TRANSLATE_NOOP("qel", "A ContinueLoop statement can not be edited.")),
    row(55, "OpenForm", L::Slots, 4),
    fixedRow(56, "TraceOn", "TraceOn", QT_TRANSLATE_NOOP("qel", "A TraceOn statement can not be edited.")),
    fixedRow(57, "TraceOff", "TraceOff", QT_TRANSLATE_NOOP("qel", "A TraceOff statement can not be edited.")),
    fixedRow(58, {}, "StepOn", QT_TRANSLATE_NOOP("qel", "A StepOn statement can not be edited.")),
    fixedRow(59, "WindowMaximise", "WindowMaximise",
             QT_TRANSLATE_NOOP("qel", "A WindowMaximise statement can not be edited.")),
    fixedRow(60, "WindowRestore", "WindowRestore",
             QT_TRANSLATE_NOOP("qel", "A WindowRestore statement can not be edited.")),
    row(61, "CallUsing", L::CallUsing),
    row(62, "FPDispDigits", L::None),
    row(63, "OpenDoc", L::Slots, 1),
    fixedRow(64, "AutoRun", "AutoRun", QT_TRANSLATE_NOOP("qel", "An AutoRun statement can not be edited.")),
    fixedRow(65, "ExitQEL", "ExitQEL", QT_TRANSLATE_NOOP("qel", "An ExitQEL statement can not be edited.")),
    row(66, "DrawFill", L::Slots, 2),
    row(67, "Pause", L::Slots, 1),
    row(68, "ColourRemap", L::Slots, 3),
    row(69, "DrawBitmapScaled", L::Slots, 6),
    fixedRow(70, "PrintEject", "PrintEject", QT_TRANSLATE_NOOP("qel", "A PrintEject statement can not be edited.")),
    fixedRow(71, "PrintStart", "PrintStart", QT_TRANSLATE_NOOP("qel", "A PrintStart statement can not be edited.")),
    fixedRow(72, "PrintStop", "PrintStop", QT_TRANSLATE_NOOP("qel", "A PrintStop statement can not be edited.")),
    fixedRow(73, "OptionCaseSensitive", "OptionCaseSensitive",
             QT_TRANSLATE_NOOP("qel", "An OptionCaseSensitive statement can not be edited.")),
    fixedRow(74, "OptionCaseInsensitive", "OptionCaseInsensitive",
             QT_TRANSLATE_NOOP("qel", "An OptionCaseInsensitive statement can not be edited.")),
    row(75, "DisplayVarsInListCtrl", L::Slots, 13),
    row(76, "InputBox", L::Slots, 2),
    row(77, "OpenSaveLoadDlg", L::Slots, 1),
    formRow(78, "CloseForm2", 1, "Forms2Close"),
    formRow(79, "Form2Exchange", 6, "Forms2Exchange"),
    formRow(80, "OpenForm2", 1, "Forms2Open"),
}};

constexpr bool rowsInCodeOrder()
{
    for (uint32_t i = 0; i < kTable.size(); ++i)
        if (kTable[i].code != i)
            return false;
    return true;
}
static_assert(rowsInCodeOrder(), "each row sits at the index of its type code");

} // namespace

const InstructionInfo* instructionInfo(uint32_t code) { return code < kTable.size() ? &kTable[code] : nullptr; }

bool isValidLineType(uint32_t code)
{
    const InstructionInfo* info = instructionInfo(code);
    return info && info->layout != RefLayout::Invalid;
}

std::span<const InstructionInfo> allInstructions() { return kTable; }

} // namespace qel
