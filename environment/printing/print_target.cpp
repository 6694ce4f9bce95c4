#include "environment/printing/print_target.h"
#include "program/host.h"
#include "runtime/latin1.h"
#include "runtime/pdf_pages.h"

#include <QDateTime>
#include <QDir>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace qel {

namespace {

bool hasPrinter() { return !QPrinterInfo::availablePrinterNames().isEmpty(); }

} // namespace

PrintTarget choosePrintTarget(QWidget* parent, const QString& name, const QString& folder, const QString& stem,
                              bool ask)
{
    PrintTarget target;
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setDocName(name.left(31));
    printer->setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
    if (hasPrinter()) {
        if (ask) {
            QPrintDialog dialog(printer.get(), parent);
            if (dialog.exec() != QDialog::Accepted)
                return target;
        }
        target.printer = std::move(printer);
        return target;
    }
    target.pdfPath = pdfFileFor(folder, stem, QDateTime::currentDateTime());
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(target.pdfPath);
    target.printer = std::move(printer);
    return target;
}

QString noPrinterText(const QString& folder)
{
    const QString where = QDir::toNativeSeparators(folder.isEmpty() ? QDir::currentPath() : folder);
    return QStringLiteral("There is no printer on this computer, so there is nothing to set up.\n\n"
                          "What you print goes to a PDF file beside the program, in ") +
           where + '.';
}

void printSetup(QWidget* parent, MessageHost& messages, const QString& folder)
{
    if (!hasPrinter()) {
        messages.showMessage(fromQString(noPrinterText(folder)), Icon::Information);
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    QPageSetupDialog dialog(&printer, parent);
    dialog.exec();
}

QString printedToText(const QString& path) { return QStringLiteral("Printed to ") + QDir::toNativeSeparators(path); }

} // namespace qel
