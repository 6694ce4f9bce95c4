// The help pages: one built page per keyword with its example, the topics that find them, and the
// links of the bundled pages.
#include "environment/help/help_instructions.h"
#include "environment/help/help_pages.h"
#include "environment/help/help_window.h"
#include "environment/shell/data_folder.h"
#include "program/instruction_table.h"
#include "program/keyword_table.h"
#include "runtime/latin1.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <vector>

namespace qel {
namespace {

QString pageText(const QUrl& url)
{
    HelpBrowser browser;
    return browser.loadResource(QTextDocument::HtmlResource, url).toString();
}

TEST(HelpPages, EveryKeywordAndTopicHasAPageAndKeywordsAnExampleLine)
{
    for (const Keyword& k : keywordTable().entries()) {
        const InstructionDescriptor* help = instructionHelpFor(k.code);
        ASSERT_NE(help, nullptr) << k.name;
        // A sample the instruction's editor refuses would leave the page without its example.
        EXPECT_TRUE(exampleLine(*help).has_value()) << k.name;
        const QString name = toQString(k.name);
        EXPECT_TRUE(pageText(helpUrlForTopic(name)).contains("<h1>" + name + "</h1>")) << k.name;
    }
    // Topics find their pages whatever their letter case, by an old name too.
    EXPECT_EQ(helpUrlForTopic("drawline").fileName(), "DrawLine.html");
    EXPECT_EQ(helpUrlForTopic("Forms2Open").fileName(), "OpenForm2.html");
    EXPECT_EQ(helpUrlForTopic("Program View").fileName(), "program_view.html");
    EXPECT_EQ(helpUrlForTopic("Add An Instruction").fileName(), "add_instruction.html");
    EXPECT_EQ(helpUrlForTopic("Tab Order").fileName(), "form_properties.html");
    EXPECT_EQ(helpUrlForTopic("Lesson Profile").fileName(), "checking.html");
    EXPECT_EQ(helpUrlForTopic("nothing of the kind"), helpContentsUrl());
    EXPECT_EQ(helpUrlForTopic(""), helpContentsUrl());
    const QString example = pageText(helpUrlForTopic("For"));
    EXPECT_TRUE(example.contains("For I = 1 To 10")) << example.toStdString();
}

TEST(HelpPages, EveryLinkOfTheBundledPagesLeadsToAPage)
{
    const QRegularExpression href(QStringLiteral("href=\"([^\"#]+)\""));
    std::vector<QUrl> pages = {helpUrlForTopic("Instructions"), helpUrlForTopic("If")}; // built pages
    for (const QString& file : QDir(QStringLiteral(":/help")).entryList({QStringLiteral("*.html")}))
        pages.push_back(QUrl(QStringLiteral("qrc:/help/") + file));
    ASSERT_GE(pages.size(), 12u);
    for (const QUrl& page : pages) {
        const QString text = pageText(page);
        ASSERT_FALSE(text.isEmpty()) << page.toString().toStdString();
        for (auto it = href.globalMatch(text); it.hasNext();) {
            const QUrl target = page.resolved(QUrl(it.next().captured(1)));
            EXPECT_FALSE(pageText(target).isEmpty())
                << page.toString().toStdString() << " -> " << target.toString().toStdString();
        }
    }
}

TEST(HelpPages, AreReadFromShareQelBesideTheExecutableWhenItHoldsThem)
{
    QTemporaryDir prefix;
    const QDir root(prefix.path());
    ASSERT_TRUE(root.mkpath("bin") && root.mkpath("share/qel/help"));
    const QString data = QFileInfo(root.filePath("share/qel")).canonicalFilePath();
    EXPECT_EQ(dataFolderFrom(root.filePath("bin")), data);
    EXPECT_EQ(dataFolderFrom(root.filePath("share/qel")), QString());
    EXPECT_EQ(dataFolderFrom(QString()), QString());
    // A data folder without the contents page leaves the pages compiled into the program.
    const QUrl bundled(QStringLiteral("qrc:/help/"));
    EXPECT_EQ(helpRootIn(data), bundled);
    EXPECT_EQ(helpRootIn(QString()), bundled);
    QFile contents(root.filePath("share/qel/help/contents.html"));
    ASSERT_TRUE(contents.open(QIODevice::WriteOnly));
    contents.close();
    EXPECT_EQ(helpRootIn(data), QUrl::fromLocalFile(data + "/help/"));
}

} // namespace
} // namespace qel
