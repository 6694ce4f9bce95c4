#include "environment/help/help_window.h"

#include "environment/help/help_pages.h"
#include "environment/look/contrast.h"
#include "environment/shell/main_frame_icons.h"

#include <QStyle>
#include <QToolBar>
#include <QVBoxLayout>

// The help pages are compiled into this library; a static library's resources must be asked for
// by name or the linker leaves them out.
static void loadHelpResources() { Q_INIT_RESOURCE(help); }

namespace qel {

namespace {

constexpr QSize kInitialSize(760, 620);

// Headings are dark green, or light green where the palette's base is too dark for that to read.
QString styleSheetFor(const QPalette& palette)
{
    const QColor darkGreen(0x1a, 0x4d, 0x1a), lightGreen(0x9c, 0xcc, 0x9c);
    const QColor heading =
        contrastRatio(darkGreen, palette.color(QPalette::Base)) >= kReadableContrast ? darkGreen : lightGreen;
    return QStringLiteral("body { font-family: sans-serif; }"
                          "h1 { color: %1; }"
                          "h2 { color: %1; margin-top: 14px; }"
                          "pre { background-color: #000000; color: #00ff00; padding: 6px; }"
                          "td { padding-right: 8px; }")
        .arg(heading.name());
}

} // namespace

HelpBrowser::HelpBrowser(QWidget* parent) : QTextBrowser(parent)
{
    loadHelpResources();
    document()->setDefaultStyleSheet(styleSheetFor(palette()));
    setOpenExternalLinks(true);
}

QVariant HelpBrowser::loadResource(int type, const QUrl& name)
{
    if (type == QTextDocument::HtmlResource) {
        const QString built = builtHelpPage(name);
        if (!built.isEmpty())
            return built;
    }
    return QTextBrowser::loadResource(type, name);
}

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window), browser_(new HelpBrowser(this))
{
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(tr("QEL Help"));
    setWindowIcon(applicationIcon());
    auto* tools = new QToolBar(this);
    QAction* back =
        tools->addAction(style()->standardIcon(QStyle::SP_ArrowBack), tr("Back"), browser_, &QTextBrowser::backward);
    QAction* forward = tools->addAction(style()->standardIcon(QStyle::SP_ArrowForward), tr("Forward"), browser_,
                                        &QTextBrowser::forward);
    tools->addAction(style()->standardIcon(QStyle::SP_DirHomeIcon), tr("Contents"), this,
                     [this] { showPage(helpContentsUrl()); });
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(browser_, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);
    connect(browser_, &QTextBrowser::sourceChanged, this, [this] {
        const QString title = browser_->documentTitle();
        setWindowTitle(title.isEmpty() ? tr("QEL Help") : tr("QEL Help - %1").arg(title));
    });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(tools);
    layout->addWidget(browser_);
    resize(kInitialSize);
}

void HelpWindow::showPage(const QUrl& url)
{
    browser_->setSource(url);
    show();
    raise();
    activateWindow();
}

} // namespace qel
