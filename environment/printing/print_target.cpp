#include "environment/printing/print_target.h"
#include "program/host.h"
#include "runtime/latin1.h"
#include "runtime/pdf_file.h"

#include <QDateTime>
#include <QDir>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace qel {

namespace {

constexpr qreal kMarginMm = 15;
// The PDF's resolution: a printer's high resolution.
constexpr int kPdfDotsPerInch = 1200;

bool hasPrinter() { return !QPrinterInfo::availablePrinterNames().isEmpty(); }

std::string nativePath(const QString& path) { return fromQString(QDir::toNativeSeparators(path)); }

Result<QString> printToPdf(const QString& name, const QString& folder, const QString& stem,
                           const std::function<void(QPainter&, QPagedPaintDevice&)>& paint)
{
    std::string reason;
    const std::unique_ptr<PdfFile> file = PdfFile::create(folder, stem, QDateTime::currentDateTime(), reason);
    if (!file)
        return Failure(reason);
    QPdfWriter& writer = file->writer();
    writer.setTitle(name);
    writer.setCreator(QStringLiteral("QEL"));
    writer.setResolution(kPdfDotsPerInch);
    writer.setPageMargins(QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm), QPageLayout::Millimeter);
    QPainter painter;
    if (!painter.begin(&writer))
        return Failure(nativePath(file->path()));
    paint(painter, writer);
    if (!painter.end() || !file->finish(reason))
        return Failure(reason);
    return file->path();
}

} // namespace

Result<QString> printPages(QWidget* parent, const QString& name, const QString& folder, const QString& stem, bool ask,
                           const std::function<void(QPainter&, QPagedPaintDevice&)>& paint)
{
    if (!hasPrinter())
        return printToPdf(name, folder, stem, paint);
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(name.left(31));
    printer.setPageMargins(QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm), QPageLayout::Millimeter);
    if (ask) {
        QPrintDialog dialog(&printer, parent);
        if (dialog.exec() != QDialog::Accepted)
            return QString();
    }
    QPainter painter;
    if (!painter.begin(&printer))
        return Failure(fromQString(printer.printerName()));
    paint(painter, printer);
    if (!painter.end())
        return Failure(fromQString(printer.printerName()));
    return QString();
}

namespace {

std::string printerFolder(const QString& folder) { return nativePath(folder.isEmpty() ? QDir::currentPath() : folder); }

} // namespace

QString noPrinterText(const QString& folder) { return toQString(noticeText({kNoPrinter, {printerFolder(folder)}})); }

void printSetup(QWidget* parent, MessageHost& messages, const QString& folder)
{
    if (!hasPrinter()) {
        messages.showNotice(kNoPrinter, Icon::Information, Buttons::Ok, printerFolder(folder));
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    QPageSetupDialog dialog(&printer, parent);
    dialog.exec();
}

QString printedToText(const QString& path) { return toQString(noticeText({kPrintedTo, {nativePath(path)}})); }

void tellPrintedTo(MessageHost& messages, const QString& path)
{
    messages.showNotice(kPrintedTo, Icon::Information, Buttons::Ok, nativePath(path));
}

void tellCannotPrint(MessageHost& messages, const std::string& reason)
{
    messages.showNotice(kCannotPrint, Icon::Exclamation, Buttons::Ok, reason);
}

} // namespace qel
