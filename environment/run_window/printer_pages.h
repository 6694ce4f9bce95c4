#pragma once
// The pages a program prints in the environment: the default printer when the desktop has one,
// otherwise a PDF file beside the program (named after it and the time). Where the pages went is
// told through `printed`, which the main window shows in its status bar.

#include "runtime/pdf_pages.h"

#include <QString>

#include <functional>
#include <memory>

class QPainter;
class QPrinter;

namespace qel {

class PrinterPages final : public PageSink {
public:
    PrinterPages();
    ~PrinterPages() override;
    PrinterPages(const PrinterPages&) = delete;
    PrinterPages& operator=(const PrinterPages&) = delete;

    // Told, in the user's words, where a finished document went.
    std::function<void(const QString& text)> printed;
    // Tests: every document goes to a PDF file, as on a machine without a printer.
    void setPrinterAllowed(bool allowed) { printerAllowed_ = allowed; }

    std::optional<PageFormat> pageFormat() override;
    bool beginDocument(const std::string& programPath) override;
    bool printPage(const QImage& page) override;
    bool endDocument() override;
    void abortDocument() override;

private:
    PdfPages pdf_;
    std::unique_ptr<QPrinter> printer_; // set while a document goes to the printer
    std::unique_ptr<QPainter> painter_;
    bool usingPdf_ = false;
    bool printerAllowed_ = true;
    int pages_ = 0;
};

// The status bar's words for a finished document.
QString printedToPdfText(const QString& path, int pages);
QString printedToPrinterText(const QString& printer, int pages);

} // namespace qel
