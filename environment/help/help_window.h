#pragma once
// The help browser: a window with the bundled help pages, Back, Forward and Contents.

#include <QTextBrowser>
#include <QWidget>

namespace qel {

// Shows the bundled pages, and builds the instruction pages when they are asked for.
class HelpBrowser : public QTextBrowser {
    Q_OBJECT
public:
    explicit HelpBrowser(QWidget* parent = nullptr);
    QVariant loadResource(int type, const QUrl& name) override;
};

class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);

    void showPage(const QUrl& url);
    HelpBrowser& browser() const { return *browser_; }

private:
    HelpBrowser* browser_;
};

} // namespace qel
