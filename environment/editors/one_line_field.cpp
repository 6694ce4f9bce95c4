#include "environment/editors/one_line_field.h"

#include <QLineEdit>
#include <QValidator>

namespace qel {

namespace {

// A validator may change what it validates: every text the field is given, typed, pasted, dropped or
// set, passes through it before the field takes it.
class OneLine final : public QValidator {
public:
    using QValidator::QValidator;

    State validate(QString& input, int& cursor) const override
    {
        if (!input.contains(QLatin1Char('\r')) && !input.contains(QLatin1Char('\n')))
            return Acceptable;
        QString out;
        out.reserve(input.size());
        int at = cursor;
        for (qsizetype i = 0; i < input.size(); ++i) {
            const QChar c = input[i];
            const bool lineBreak = c == QLatin1Char('\r') || c == QLatin1Char('\n');
            if (c == QLatin1Char('\r') && i + 1 < input.size() && input[i + 1] == QLatin1Char('\n')) {
                if (i + 1 < cursor)
                    --at; // the pair's LF, dropped, lay before the cursor
                ++i;
            }
            out += lineBreak ? QLatin1Char(' ') : c;
        }
        input = out;
        cursor = at;
        return Acceptable;
    }
};

} // namespace

void keepOnOneLine(QLineEdit& field) { field.setValidator(new OneLine(&field)); }

} // namespace qel
