#pragma once
// The instructions through which a running program talks to the user and keeps time: MessageBox,
// InputBox, Pause, TimerStart and TimerStop. The timer's two run in a family of their own
// (instructions/timer), which draws on the run-time canvas; these three need nothing of it.
//
// MessageBox (type 25):                        InputBox (type 76):
//   offset  width  field                         offset  width  field
//   0       u32    block length (96 + strings)   0       u32    block length (88 + strings)
//   4       44     Operand: the message          4       44     Operand: the prompt
//   48      44     Operand: numeric variable     48      44     Operand: String variable for the reply
//                  for the button, or empty      92      ...    string area
//   92      u32    buttons: 0 OK, 1 OK/Cancel,
//                  3 Yes/No/Cancel, 4 Yes/No,
//                  5 Retry/Cancel
//   96      u32    icon: 16 Stop, 32 Question,
//                  48 Exclamation, 64 Information
//   100     ...    string area
//
// Pause (type 67):                             TimerStart (type 37):
//   0       u32    44                            0       u32    4
//   4       44     Operand: the duration in ms   4       u32    interval in 100ths of a second,
//                  (a numeric constant)                         1 to 1000
//
// TimerStop (type 38) has no parameters.
//
// The program's one timer is a host timer; its id lives in the window's drawing state (0: none).

#include "interpreter/dispatch.h"
#include "program/host.h"

#include <cstdint>
#include <string_view>

namespace qel {

namespace interaction_block {
inline constexpr uint32_t kMessage = 4;
inline constexpr uint32_t kResult = 48;
inline constexpr uint32_t kButtons = 92;
inline constexpr uint32_t kIcon = 96;
inline constexpr uint32_t kMessageBoxFixedBody = 96;

inline constexpr uint32_t kPrompt = 4;
inline constexpr uint32_t kReply = 48;
inline constexpr uint32_t kInputBoxFixedBody = 88;

inline constexpr uint32_t kDuration = 4;
inline constexpr uint32_t kPauseBody = 44;

inline constexpr uint32_t kInterval = 4;
inline constexpr uint32_t kTimerStartBody = 4;

// The button sets and icons as the block stores them.
inline constexpr uint32_t kButtonsOk = 0;
inline constexpr uint32_t kButtonsOkCancel = 1;
inline constexpr uint32_t kButtonsYesNoCancel = 3;
inline constexpr uint32_t kButtonsYesNo = 4;
inline constexpr uint32_t kButtonsRetryCancel = 5;
inline constexpr uint32_t kIconStop = 16;
inline constexpr uint32_t kIconQuestion = 32;
inline constexpr uint32_t kIconExclamation = 48;
inline constexpr uint32_t kIconInformation = 64;
} // namespace interaction_block

// Run-time messages (after the run-time error header, the variable's name appended).
inline constexpr std::string_view kTimerAlreadyStarted = "Can't start timer as it is already started.";
// Our own: the reason shown after "WINDOWS CALL FAILED" when the window system refuses the timer.
inline constexpr std::string_view kTimerRefused = "Can't create the timer. TimerStart";
// The run-time input box's title.
inline constexpr std::string_view kInputBoxTitle = "Input Box";
// The longest message a message box shows and the longest reply an input box gives.
inline constexpr size_t kMaxMessageLength = 1024;
inline constexpr size_t kMaxReplyLength = 512;
// The timer's id while it runs, and the longest period the window system takes.
inline constexpr uint32_t kProgramTimerId = 1;
inline constexpr uint32_t kMaxTimerPeriodMs = 0x7FFFFFFF;

// A stored button set and icon as the message host shows them; numbers no dialog stores show OK
// and no icon.
Buttons messageButtons(uint32_t code);
Icon messageIcon(uint32_t code);

} // namespace qel
