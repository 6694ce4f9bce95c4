#pragma once
// The printing feature of the main window: Print (the "Print Sections" dialog, then the listing),
// Print Preview and Print Setup, enabled while a program is open and not running.

#include "base/result.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

class QWidget;

namespace qel {

class CommandSet;
class CQelView;
class IdeState;

class PrintCommands : public QObject {
    Q_OBJECT
public:
    // programPath gives the open program's file (empty: never saved); PDFs go beside it.
    PrintCommands(IdeState& ide, CommandSet& commands, QWidget& mainWindow, std::function<QString()> programPath);

    // File > Print: the sections to print, then the listing. Returns where a PDF went, if it did.
    QString printListing();
    void printPreview();

    // Follows the document window and the run.
    void setView(CQelView* view);
    void enable();

private:
    IdeState& ide_;
    CommandSet& commands_;
    QWidget& mainWindow_;
    std::function<QString()> programPath_;
    QPointer<CQelView> view_;
};

// `qel --print FILE`: every section of the program, without dialogs; where a PDF went, if it did,
// or why nothing was printed.
Result<QString> printWholeListing(IdeState& ide, const QString& programPath);

} // namespace qel
