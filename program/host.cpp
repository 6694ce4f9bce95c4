#include "program/host.h"

namespace qel {

const char* iconName(Icon icon)
{
    switch (icon) {
    case Icon::None: return "none";
    case Icon::Error: return "error";
    case Icon::Exclamation: return "exclamation";
    case Icon::Information: return "information";
    case Icon::Question: return "question";
    }
    return "none";
}

Button MessageHost::showNotice(std::string_view text, Icon icon, Buttons buttons, std::string_view argument)
{
    return showMessage(noticeText(text, argument), icon, buttons);
}

std::string noticeText(std::string_view text, std::string_view argument)
{
    std::string out(text);
    if (const size_t at = out.find("%1"); at != std::string::npos && !argument.empty())
        out.replace(at, 2, argument);
    return out;
}

} // namespace qel
