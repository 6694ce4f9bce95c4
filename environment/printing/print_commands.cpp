#include "environment/printing/print_commands.h"
#include "environment/look/translation.h"

#include "environment/ide_state.h"
#include "environment/printing/listing_printing.h"
#include "environment/printing/print_target.h"
#include "environment/program_view/qel_view.h"
#include "environment/shell/command_set.h"
#include "runtime/latin1.h"

#include <QAction>
#include <QFileInfo>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>

namespace qel {

namespace {

// The folder and name stem a listing's PDF takes: the program's, or "listing" in the current folder.
std::pair<QString, QString> pdfPlace(const QString& programPath)
{
    if (programPath.isEmpty())
        return {QString(), QStringLiteral("listing")};
    const QFileInfo info(programPath);
    return {info.absolutePath(), info.completeBaseName()};
}

Result<QString> printSections(QWidget* parent, IdeState& ide, const QString& programPath, uint8_t sections, bool ask)
{
    const auto [folder, stem] = pdfPlace(programPath);
    return printPages(parent, stem, folder, stem, ask, [&](QPainter& painter, QPagedPaintDevice& device) {
        paintListingPages(painter, device, ide.program, sections, [&] { return device.newPage(); });
    });
}

} // namespace

PrintCommands::PrintCommands(IdeState& ide, CommandSet& commands, QWidget& mainWindow,
                             std::function<QString()> programPath)
    : QObject(&mainWindow),
      ide_(ide),
      commands_(commands),
      mainWindow_(mainWindow),
      programPath_(std::move(programPath))
{
    QAction* print = commands.add(*this, kCmdFilePrint, tr("&Print...\tCtrl+P"), tr("Print the program listing"),
                                  [this] { printListing(); });
    print->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    commands.add(*this, kCmdFilePrintPreview, tr("Print Pre&view"), tr("Show the printed listing's pages"),
                 [this] { printPreview(); });
    commands.add(*this, kCmdFilePrintSetup, translated(kPrintSetupText), tr("Change the printer and its options"),
                 [this] { printSetup(&mainWindow_, ide_.host, pdfPlace(programPath_()).first); });
    connect(&ide_.host, &IdeHost::runStateChanged, this, &PrintCommands::enable);
    enable();
}

void PrintCommands::setView(CQelView* view)
{
    view_ = view;
    enable();
}

void PrintCommands::enable()
{
    const bool editing = view_ && !ide_.running();
    for (CommandId id : {kCmdFilePrint, kCmdFilePrintPreview, kCmdFilePrintSetup})
        commands_.action(id)->setEnabled(editing);
}

QString PrintCommands::printListing()
{
    const std::optional<uint8_t> sections = askPrintSections(&mainWindow_, ide_.host);
    if (!sections)
        return {};
    Result<QString> pdf = printSections(&mainWindow_, ide_, programPath_(), *sections, true);
    if (!pdf) {
        tellCannotPrint(ide_.host, pdf.failureText());
        return {};
    }
    if (!pdf->isEmpty())
        tellPrintedTo(ide_.host, *pdf);
    return *pdf;
}

void PrintCommands::printPreview()
{
    QPrinter printer(QPrinter::HighResolution);
    QPrintPreviewDialog preview(&printer, &mainWindow_);
    connect(&preview, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* p) {
        QPainter painter(p);
        paintListingPages(painter, *p, ide_.program, kPrintAllSections, [p] { return p->newPage(); });
    });
    preview.exec();
}

Result<QString> printWholeListing(IdeState& ide, const QString& programPath)
{
    return printSections(nullptr, ide, programPath, kPrintAllSections, false);
}

} // namespace qel
