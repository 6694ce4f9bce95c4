#pragma once
// The one table of line types. Every type code 0 to 80 has a row; the keyword table, the reference
// conversions, the fixed-text lines and their refusal messages are derived from it. Layers above
// attach editors, dialogs and handlers to the rows they own.

#include <cstdint>
#include <span>
#include <string_view>

namespace qel {

// Type codes are stored in program files, so their numbers never change.
enum LineType : uint32_t {
    kBlank = 0,
    kCall = 1,
    kWindowClear = 2,
    kComment = 3,
    kDeclareVariable = 4,
    kDrawLine = 8,
    kDrawArc = 9,
    kDrawBitmap = 10,
    kDrawRect = 11,
    kDrawCircle = 12,
    kDrawText = 13,
    kEndIf = 14,
    kEndWhile = 15,
    kIf = 16,
    kFor = 17,
    kGetTimeAndDate = 19,
    kWindowGetSize = 21,
    kLet = 23,
    kBitmapLoad = 24,
    kMessageBox = 25,
    kNext = 26,
    kPostQuitMessage = 27,
    kReturn = 28,
    kTextBackColour = 29,
    kTextForeColour = 30,
    kTextFont = 31,
    kStop = 32,
    kStringPart = 33,
    kStringToNumeric = 34,
    kStringFromNumeric = 35,
    kStringLength = 36,
    kTimerStart = 37,
    kTimerStop = 38,
    kTextFileClose = 39,
    kTextFileOpen = 40,
    kTextFileRead = 42,
    kTextFileWrite = 43,
    kWhile = 45,
    kDeclareFunction = 46,
    kEndFunction = 47,
    kElse = 48,
    kBitmapUnload = 49,
    kDrawPoint = 50,
    kPlayWave = 52,
    kBreakOutOfLoop = 53,
    kContinue = 54,
    kOpenForm = 55,
    kTraceOn = 56,
    kTraceOff = 57,
    kStepOn = 58,
    kWindowMaximise = 59,
    kWindowRestore = 60,
    kCallUsing = 61,
    kFPDispDigits = 62,
    kOpenDoc = 63,
    kAutoRun = 64,
    kExitQEL = 65,
    kDrawFill = 66,
    kPause = 67,
    kColourRemap = 68,
    kDrawBitmapScaled = 69,
    kPrintEject = 70,
    kPrintStart = 71,
    kPrintStop = 72,
    kOptionCaseSensitive = 73,
    kOptionCaseInsensitive = 74,
    kDisplayVarsInListCtrl = 75,
    kInputBox = 76,
    kOpenSaveLoadDlg = 77,
    kCloseForm2 = 78,
    kForm2Exchange = 79,
    kOpenForm2 = 80,
};

inline constexpr uint32_t kLastLineType = 80;
// The value that closes a section in a program file; never a type code.
inline constexpr uint32_t kSectionEndMarker = 99;

// Size of one operand slot in a block, and where its reference fields lie inside it.
inline constexpr uint32_t kOperandSize = 44;
inline constexpr uint32_t kOperandReferenceFields[] = {0, 4, 16, 24};

// Which words of a type's block are reference fields.
enum class RefLayout : uint8_t {
    Invalid,         // not a valid line type
    None,            // no reference fields
    Slots,           // `slots` operand slots from block offset 4
    SlotsAt8,        // `slots` operand slots from block offset 8 (Let)
    TextFont,        // one reference at block offset 4
    CallUsing,       // 5 operand slots and a further slot at block offset 236
    DeclareVariable, // names at 20, 28, 36, 44; for String variables initial values at 24 .. 48
};

struct InstructionInfo {
    uint32_t code;
    std::string_view keyword;   // empty: no keyword
    std::string_view fixedText; // non-empty: a fixed-text line, created with this text, never edited
    RefLayout layout;
    uint8_t operandSlots;
    std::string_view listLabel; // label in the Add An Instruction lists when it differs from keyword
    std::string_view refusal;   // shown when a fixed-text line is edited
};

// The row of a type code, or nullptr for codes above 80.
const InstructionInfo* instructionInfo(uint32_t code);
// Whether the code names a line type the system can hold (it has a reference layout).
bool isValidLineType(uint32_t code);
std::span<const InstructionInfo> allInstructions();

} // namespace qel
