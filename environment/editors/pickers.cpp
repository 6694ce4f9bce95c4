#include "environment/editors/pickers.h"

#include "environment/look/translation.h"
#include "instructions/functions/declare_function.h"
#include "program/instruction_table.h"
#include "program/program.h"
#include "runtime/latin1.h"
#include "values/editor.h"
#include "values/variable_table.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QStringList>

#include <algorithm>

namespace qel {

namespace {

bool inGroups(const VariableRecord& v, uint32_t groups)
{
    if (groups == 0)
        return true;
    switch (v.type) {
    case kTypeInteger:
    case kTypeFloat: return (groups & kPickNumeric) != 0;
    case kTypeString: return (groups & kPickString) != 0;
    case kTypeFile: return (groups & kPickFile) != 0;
    case kTypeBitmap: return (groups & kPickBitmap) != 0;
    }
    return false;
}

// Adds the names after what the box holds; the data of each is its running position.
void addNames(QComboBox& box, const std::vector<std::string>& names)
{
    int position = 0;
    for (const std::string& name : names) {
        if (name.empty())
            continue; // a box item nobody could tell apart from the empty one
        box.addItem(toQString(name), position);
        ++position;
    }
}

} // namespace

std::vector<std::string> declaredFunctionNames(const Program& program)
{
    std::vector<std::string> names;
    for (const Section& section : program.sections)
        for (const ProgramLine& line : section.lines)
            if (line.type == kDeclareFunction)
                names.emplace_back(declaredFunctionName(line.block));
    return names;
}

std::vector<std::string> variableNames(const VariableTable& variables, uint32_t groups)
{
    std::vector<std::string> names;
    for (const VariableRecord& v : variables)
        if (inGroups(v, groups))
            names.push_back(v.name);
    return names;
}

void fillFunctionPicker(QComboBox& box, const Program& program) { addNames(box, declaredFunctionNames(program)); }

void fillVariablePicker(QComboBox& box, const VariableTable& variables, bool withEmptyItem, uint32_t groups)
{
    if (withEmptyItem)
        box.addItem(QString(), -1);
    addNames(box, variableNames(variables, groups));
}

QString qtFileFilter(std::string_view filter)
{
    QString shown = translated(filter);
    if (!shown.contains('|'))
        return shown; // written as Qt writes filters already
    QStringList parts = shown.split('|');
    QStringList filters;
    for (qsizetype k = 0; k + 1 < parts.size(); k += 2) {
        QString description = parts[k].trimmed();
        const QString patterns = parts[k + 1].trimmed();
        if (description.isEmpty() || patterns.isEmpty())
            break;
        // The description may name its patterns already; Qt reads the patterns from the brackets.
        if (const qsizetype bracket = description.lastIndexOf('('); bracket > 0 && description.endsWith(')'))
            description = description.left(bracket).trimmed();
        QStringList list = patterns.split(';', Qt::SkipEmptyParts);
        for (QString& pattern : list)
            pattern = pattern.trimmed() == "*.*" ? QStringLiteral("*") : pattern.trimmed();
        filters << description + " (" + list.join(' ') + ")";
    }
    return filters.join(QStringLiteral(";;"));
}

QString pickedFileText(const QString& path, const QString& programFolder)
{
    QString shown = QFileInfo(path).absoluteFilePath();
    if (!programFolder.isEmpty()) {
        const QString relative = QDir(programFolder).relativeFilePath(shown);
        if (!relative.startsWith(QStringLiteral("../")) && relative != QStringLiteral("..") &&
            !QDir::isAbsolutePath(relative))
            shown = relative;
    }
    return '"' + shown + '"';
}

bool fitsProgramText(const QString& text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() <= 0xFF; });
}

} // namespace qel
