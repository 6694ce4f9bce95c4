#include "environment/help/help.h"

#include "environment/help/help_pages.h"
#include "environment/help/help_window.h"

#include <QApplication>

namespace qel {

void showHelp(QWidget* parent, const QString& topic)
{
    // One help window, kept by the main window once opened. While a modal dialog is up only its own
    // windows can be used, so the dialog gets a help window of its own for as long as it is open.
    QWidget* owner = QApplication::activeModalWidget();
    if (!owner && parent) {
        owner = parent->window();
        while (owner->parentWidget())
            owner = owner->parentWidget()->window();
    }
    HelpWindow* window = owner ? owner->findChild<HelpWindow*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
    if (!window) {
        window = new HelpWindow(owner);
        if (!owner)
            window->setAttribute(Qt::WA_DeleteOnClose);
    }
    window->showPage(helpUrlForTopic(topic));
}

} // namespace qel
