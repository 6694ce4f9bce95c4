#pragma once
// Program texts are 8-bit, one byte to a character; the widgets show them as Latin-1.

#include <QString>

#include <string>
#include <string_view>

namespace qel {

inline QString toQt(std::string_view text)
{
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}
inline std::string fromQt(const QString& text) { return text.toLatin1().toStdString(); }

} // namespace qel
