#include "environment/look/translation.h"
#include "runtime/latin1.h"

#include <QCoreApplication>

#include <string>

namespace qel {

QString translated(std::string_view text) { return QCoreApplication::translate("qel", std::string(text).c_str()); }

QString translated(const Notice& notice)
{
    // The translation may hold any character and the arguments are Latin-1: both are put together
    // as UTF-8, where a '%' and a digit are never part of another character.
    std::vector<std::string> arguments;
    arguments.reserve(notice.arguments.size());
    for (const std::string& argument : notice.arguments)
        arguments.push_back(toQString(argument).toStdString());
    return QString::fromStdString(withArguments(translated(notice.text).toStdString(), arguments));
}

} // namespace qel
