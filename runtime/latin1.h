#pragma once
// Program texts are 8-bit, one byte to a character. Wherever Qt shows or returns them they are
// Latin-1, so every byte value keeps its character both ways.

#include <QByteArray>
#include <QString>

#include <string>
#include <string_view>

namespace qel {

inline QString toQString(std::string_view text)
{
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

// Characters beyond Latin-1 have no byte: they become '?'.
inline std::string fromQString(const QString& text)
{
    const QByteArray bytes = text.toLatin1();
    return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

} // namespace qel
