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

Button MessageHost::showNotice(const Notice& notice, Icon icon, Buttons buttons)
{
    return showMessage(noticeText(notice), icon, buttons);
}

Button MessageHost::showNotice(std::string_view text, Icon icon, Buttons buttons, std::string_view argument)
{
    Notice notice{text, {}};
    if (!argument.empty())
        notice.arguments.emplace_back(argument);
    return showNotice(notice, icon, buttons);
}

} // namespace qel
