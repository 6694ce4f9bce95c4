#include "environment/help/help_pages.h"

#include "environment/check/check_commands.h"
#include "environment/check/check_window.h"
#include "environment/editors/ins_blank_model.h"
#include "environment/form_designer/properties_window.h"
#include "environment/form_designer/tab_order_dialog.h"
#include "environment/help/help.h"
#include "environment/help/help_instructions.h"
#include "environment/shell/data_folder.h"
#include "instructions/catalogue.h"
#include "program/instruction_table.h"
#include "program/keyword_table.h"
#include "runtime/latin1.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace qel {

namespace {

const QString kBundledRoot = QStringLiteral("qrc:/help/");
const QString kHelpFolder = QStringLiteral("help");
const QString kContentsPage = QStringLiteral("contents.html");
const QString kInstructionFolder = QStringLiteral("instructions/");
const QString kIndexPage = QStringLiteral("index.html");

QString keywordOf(uint32_t type) { return toQString(instructionInfo(type)->keyword); }

QString pageName(uint32_t type) { return keywordOf(type) + QStringLiteral(".html"); }

// The instructions as the Add An Instruction dialog groups them, then those kept for old programs.
struct Group {
    QString title;
    std::vector<uint32_t> types;
};

std::vector<Group> groups()
{
    std::vector<Group> result;
    for (const InsBlankList& list : insBlankLists()) {
        Group group{toQString(list.name), {}};
        for (const InsBlankItem& item : list.items)
            if (item.type)
                group.types.push_back(*item.type);
        result.push_back(std::move(group));
    }
    result.push_back({QStringLiteral("Kept for old programs"), {kTraceOn, kTraceOff}});
    return result;
}

QString page(const QString& title, const QString& body)
{
    return QStringLiteral("<html><head><title>%1</title></head><body>"
                          "<p><a href=\"../contents.html\">Contents</a> | <a href=\"index.html\">Instructions</a></p>"
                          "<h1>%1</h1>%2</body></html>")
        .arg(title.toHtmlEscaped(), body);
}

QString fieldsSection(const InstructionDescriptor& instruction)
{
    const InstructionHelp& help = instruction.help;
    if (help.fields.empty())
        return QStringLiteral("<h2>Fields</h2><p>None: choosing the instruction adds the line at once, and the "
                              "line cannot be edited.</p>");
    QString rows;
    for (const QString& line : toQString(help.fields).split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const qsizetype colon = line.indexOf(QStringLiteral(": "));
        rows += QStringLiteral("<tr><td valign=\"top\"><b>%1</b></td><td>%2</td></tr>")
                    .arg(line.left(colon).toHtmlEscaped(), line.mid(colon + 2).toHtmlEscaped());
    }
    QString section = QStringLiteral("<h2>Fields</h2><table cellpadding=\"3\">%1</table>").arg(rows);
    if (const InstructionEditor* editor = instruction.editor)
        section =
            QStringLiteral("<p>The dialog is called <i>%1</i>.</p>").arg(toQString(editor->title()).toHtmlEscaped()) +
            section;
    return section;
}

QString instructionPage(const InstructionDescriptor& instruction)
{
    const InstructionHelp& help = instruction.help;
    const QString keyword = keywordOf(instruction.type);
    QString body = QStringLiteral("<p>%1</p>").arg(toQString(help.summary).toHtmlEscaped());
    if (const std::string_view label = instructionInfo(instruction.type)->listLabel; !label.empty())
        body += QStringLiteral("<p>In the Add An Instruction lists it is called <b>%1</b>; type the keyword "
                               "<b>%2</b> to choose it by name.</p>")
                    .arg(toQString(label), keyword);
    if (const std::string_view code = instruction.shortCode; !code.empty())
        body +=
            QStringLiteral("<p>Short code: type <b>%1</b> in the Add An Instruction dialog.</p>").arg(toQString(code));
    body += fieldsSection(instruction);
    if (const auto example = exampleLine(instruction))
        body += QStringLiteral("<h2>Example</h2><p>The line reads:</p><pre>%1</pre>")
                    .arg(toQString(*example).toHtmlEscaped());
    return page(keyword, body);
}

QString indexPage()
{
    QString body = QStringLiteral("<p>Every instruction, grouped as in the Add An Instruction dialog.</p>");
    for (const Group& group : groups()) {
        QStringList links;
        for (uint32_t type : group.types) {
            const std::string_view label = instructionInfo(type)->listLabel;
            const QString shown = label.empty() ? keywordOf(type) : toQString(label);
            links << QStringLiteral("<a href=\"%1\">%2</a>").arg(pageName(type), shown);
        }
        body += QStringLiteral("<h2>%1</h2><p>%2</p>").arg(group.title, links.join(QStringLiteral(", ")));
    }
    return page(QStringLiteral("Instructions"), body);
}

QUrl helpPage(const QString& name) { return helpRoot().resolved(QUrl(name)); }

} // namespace

QUrl helpRootIn(const QString& dataFolder)
{
    if (!dataFolder.isEmpty()) {
        const QDir folder(QDir(dataFolder).filePath(kHelpFolder));
        if (QFileInfo(folder.filePath(kContentsPage)).isFile())
            return QUrl::fromLocalFile(folder.absolutePath() + QLatin1Char('/'));
    }
    return QUrl(kBundledRoot);
}

QUrl helpRoot() { return helpRootIn(dataFolder()); }

QUrl helpContentsUrl() { return helpPage(kContentsPage); }

QUrl helpUrlForTopic(const QString& topic)
{
    const QString t = topic.trimmed();
    if (t.compare(QStringLiteral("Main Window"), Qt::CaseInsensitive) == 0)
        return helpPage(QStringLiteral("main_window.html"));
    if (t.compare(toQString(kProgramViewTopic), Qt::CaseInsensitive) == 0)
        return helpPage(QStringLiteral("program_view.html"));
    if (t.compare(toQString(kFormDesignerTopic), Qt::CaseInsensitive) == 0)
        return helpPage(QStringLiteral("form_designer.html"));
    if (t.compare(toQString(kInsBlankTitle), Qt::CaseInsensitive) == 0)
        return helpPage(QStringLiteral("add_instruction.html"));
    if (t.compare(kPropertiesWindowTitle, Qt::CaseInsensitive) == 0 ||
        t.compare(kTabOrderTitle, Qt::CaseInsensitive) == 0)
        return helpPage(QStringLiteral("form_properties.html"));
    if (t.compare(toQString(kCheckWindowTitle), Qt::CaseInsensitive) == 0 ||
        t.compare(toQString(kLessonProfileTitle), Qt::CaseInsensitive) == 0)
        return helpPage(QStringLiteral("checking.html"));
    if (t.compare(QStringLiteral("Instructions"), Qt::CaseInsensitive) == 0)
        return helpPage(kInstructionFolder + kIndexPage);
    if (const auto type = instructionTypeForTopic(fromQString(t)); type && instructionHelpFor(*type))
        return helpPage(kInstructionFolder + pageName(*type));
    return helpContentsUrl();
}

QString builtHelpPage(const QUrl& url)
{
    if (url.adjusted(QUrl::RemoveFilename) != helpPage(kInstructionFolder))
        return {};
    const QString file = url.fileName();
    if (file == kIndexPage)
        return indexPage();
    if (!file.endsWith(QStringLiteral(".html")))
        return {};
    const std::optional<uint32_t> type = keywordTable().lookupKeyword(fromQString(file.chopped(5)));
    const InstructionDescriptor* instruction = type ? instructionHelpFor(*type) : nullptr;
    return instruction ? instructionPage(*instruction) : QString();
}

} // namespace qel
