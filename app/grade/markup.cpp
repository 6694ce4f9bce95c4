#include "app/grade/markup.h"

#include <QString>

namespace qel::grade {

std::string markupText(std::string_view utf8)
{
    const QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '&': out += u"&amp;"; break;
        case '<': out += u"&lt;"; break;
        case '>': out += u"&gt;"; break;
        case '"': out += u"&quot;"; break;
        case '\'': out += u"&#39;"; break;
        default:
            if ((c.unicode() < 0x20 && c != '\n' && c != '\t' && c != '\r') || c.unicode() == 0xFFFE ||
                c.unicode() == 0xFFFF)
                out += QChar(0xFFFD);
            else
                out += c;
        }
    }
    return out.toUtf8().toStdString();
}

} // namespace qel::grade
