#include "environment/look/translation.h"

#include <QCoreApplication>

#include <string>

namespace qel {

QString translated(std::string_view text) { return QCoreApplication::translate("qel", std::string(text).c_str()); }

} // namespace qel
