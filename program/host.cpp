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

} // namespace qel
