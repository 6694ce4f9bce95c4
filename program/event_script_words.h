#pragma once
// The words of the event-script language: what `qeltool run --events` reads and the environment's
// Record Run writes, kept in one place so the two always speak the same language.

#include "program/host.h"

#include <string_view>
#include <utility>

namespace qel {

// mouse down|up|rdown|rup|move: the run's mouse codes 1 to 5 in this order.
inline constexpr std::string_view kMouseWords[] = {"down", "up", "rdown", "rup", "move"};

// answer ok|cancel|yes|no|retry
inline constexpr std::pair<std::string_view, Button> kButtonWords[] = {
    {"ok", Button::Ok}, {"cancel", Button::Cancel}, {"yes", Button::Yes}, {"no", Button::No}, {"retry", Button::Retry}};

// form CAPTION click|select|type|close OBJECT [TEXT]
enum class FormAction { Click, Select, Type, Close };
inline constexpr std::string_view kFormActionWords[] = {"click", "select", "type", "close"};

// OpenForm's modal User Form, as scripts name it, and its buttons.
inline constexpr std::string_view kUserFormCaption = "User Form";
inline constexpr std::string_view kUserFormOk = "OK";
inline constexpr std::string_view kUserFormCancel = "Cancel";

} // namespace qel
