#include "environment/run_window/printer_pages.h"

#include "environment/look/translation.h"

#include <QDir>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

#include <cmath>

namespace qel {

namespace {

bool printerAvailable(bool allowed) { return allowed && !QPrinterInfo::defaultPrinter().isNull(); }

} // namespace

QString printedToPdfText(const QString& path, int pages)
{
    return translated(QT_TRANSLATE_NOOP("qel", "No printer: %1 printed page(s) saved as %2"))
        .arg(QString::number(pages), QDir::toNativeSeparators(path));
}

QString printedToPrinterText(const QString& printer, int pages)
{
    return translated(QT_TRANSLATE_NOOP("qel", "%1 page(s) sent to the printer %2"))
        .arg(QString::number(pages), printer);
}

PrinterPages::PrinterPages()
{
    pdf_.written = [this](const QString& path, int pages) {
        if (printed)
            printed(printedToPdfText(path, pages));
    };
}

PrinterPages::~PrinterPages() { abortDocument(); }

std::optional<PageFormat> PrinterPages::pageFormat()
{
    if (!printerAvailable(printerAllowed_))
        return pdf_.pageFormat();
    QPrinter printer(QPrinterInfo::defaultPrinter(), QPrinter::HighResolution);
    const QRectF paper = printer.pageLayout().fullRect(QPageLayout::Millimeter);
    if (paper.isEmpty() || printer.resolution() <= 0)
        return std::nullopt;
    return PageFormat{paper.width(), paper.height(), printer.resolution(), printer.resolution()};
}

bool PrinterPages::beginDocument(const std::string& programPath)
{
    abortDocument();
    pages_ = 0;
    usingPdf_ = !printerAvailable(printerAllowed_);
    if (usingPdf_)
        return pdf_.beginDocument(programPath);
    printer_ = std::make_unique<QPrinter>(QPrinterInfo::defaultPrinter(), QPrinter::HighResolution);
    printer_->setDocName(QStringLiteral("QEL"));
    printer_->setFullPage(true); // the page's own inset places the picture, not the printer's margins
    painter_ = std::make_unique<QPainter>();
    if (!painter_->begin(printer_.get())) {
        abortDocument();
        return false;
    }
    return true;
}

bool PrinterPages::printPage(const QImage& page)
{
    if (usingPdf_)
        return pdf_.printPage(page);
    if (!painter_ || (pages_ > 0 && !printer_->newPage()))
        return false;
    drawPageImage(*painter_, printer_->resolution(), page);
    ++pages_;
    return true;
}

bool PrinterPages::endDocument()
{
    if (usingPdf_)
        return pdf_.endDocument();
    if (!painter_)
        return false;
    const bool ended = painter_->end();
    painter_.reset();
    const QString name = printer_->printerName();
    printer_.reset();
    if (ended && printed)
        printed(printedToPrinterText(name, pages_));
    return ended;
}

void PrinterPages::abortDocument()
{
    if (usingPdf_) {
        pdf_.abortDocument();
        return;
    }
    if (painter_ && printer_)
        printer_->abort();
    if (painter_ && painter_->isActive())
        painter_->end();
    painter_.reset();
    printer_.reset();
}

} // namespace qel
