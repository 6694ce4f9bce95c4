#include "environment/look/appearance.h"

#include "environment/shell/data_folder.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QStyleFactory>
#include <QTranslator>

namespace qel {

namespace {

// Where the translations are looked for: beside the executable in a build, in the installed
// share folder otherwise.
QStringList translationFolders()
{
    QStringList folders{QCoreApplication::applicationDirPath() + QStringLiteral("/translations")};
    if (const QString data = dataFolder(); !data.isEmpty())
        folders.append(data + QStringLiteral("/translations"));
    return folders;
}

// Qt's own texts (a message box's buttons, the file and print dialogs) in the same language, from
// the system's Qt translations when they are installed.
void installQtTranslation(QApplication& application)
{
    auto* translator = new QTranslator(&application);
    if (translator->load(QLocale(), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(translator);
    else
        delete translator;
}

void installTranslation(QApplication& application)
{
    auto* translator = new QTranslator(&application);
    for (const QString& folder : translationFolders())
        if (translator->load(QLocale(), QStringLiteral("qel"), QStringLiteral("_"), folder)) {
            QApplication::installTranslator(translator);
            installQtTranslation(application);
            return;
        }
    delete translator;
}

} // namespace

QPalette darkPalette()
{
    const QColor window(53, 53, 53), base(35, 35, 35), text(230, 230, 230), dim(128, 128, 128);
    const QColor highlight(42, 130, 218);
    QPalette p;
    p.setColor(QPalette::Window, window);
    p.setColor(QPalette::WindowText, text);
    p.setColor(QPalette::Base, base);
    p.setColor(QPalette::AlternateBase, window);
    p.setColor(QPalette::ToolTipBase, base);
    p.setColor(QPalette::ToolTipText, text);
    p.setColor(QPalette::PlaceholderText, dim);
    p.setColor(QPalette::Text, text);
    p.setColor(QPalette::Button, window);
    p.setColor(QPalette::ButtonText, text);
    p.setColor(QPalette::BrightText, QColor(255, 80, 80));
    p.setColor(QPalette::Light, QColor(80, 80, 80));
    p.setColor(QPalette::Midlight, QColor(66, 66, 66));
    p.setColor(QPalette::Mid, QColor(40, 40, 40));
    p.setColor(QPalette::Dark, QColor(25, 25, 25));
    p.setColor(QPalette::Shadow, QColor(10, 10, 10));
    p.setColor(QPalette::Link, highlight.lighter(130));
    p.setColor(QPalette::Highlight, highlight);
    p.setColor(QPalette::HighlightedText, Qt::black);
    for (const QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        p.setColor(QPalette::Disabled, role, dim);
    return p;
}

void applyAppearance(QApplication& application)
{
    if (qEnvironmentVariable("QEL_DARK") == QStringLiteral("1")) {
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
        QApplication::setPalette(darkPalette());
    }
    installTranslation(application);
}

} // namespace qel
