#pragma once
// Printed pages as a PDF file, for a machine without a printer and for `qeltool run --print-dir`:
// each document is a new file named after the program and the time it was started, in the
// program's folder (or the folder given), A4 at 300 dots per inch unless told otherwise.

#include "runtime/page_sink.h"

#include <QString>

#include <functional>
#include <memory>

class QDateTime;
class QImage;
class QPainter;
class QPdfWriter;

namespace qel {

// Draws a page image at the page's top left corner, half a millimetre in, at its own resolution on
// a device of `dots` dots per inch.
void drawPageImage(QPainter& painter, double dots, const QImage& page);

// A new PDF file's name in folder (the current directory when empty): "<stem>-<yyyyMMdd-HHmmss>.pdf",
// with "-2", "-3" ... added when such a file exists already.
QString pdfFileFor(const QString& folder, const QString& stem, const QDateTime& time);

class PdfPages final : public PageSink {
public:
    // folder: where the files go; empty: beside the program (the current directory for a program
    // never saved). Written: told the file's name and its page count when a document is complete.
    explicit PdfPages(QString folder = {}, PageFormat format = {});
    ~PdfPages() override;
    PdfPages(const PdfPages&) = delete;
    PdfPages& operator=(const PdfPages&) = delete;

    std::function<void(const QString& path, int pages)> written;

    std::optional<PageFormat> pageFormat() override { return format_; }
    bool beginDocument(const std::string& programPath) override;
    bool printPage(const QImage& page) override;
    bool endDocument() override;
    void abortDocument() override;

    // The file of the document begun last.
    const QString& path() const { return path_; }

    // The file a document of the program saved at programPath would get, started at the given
    // time: "<program>-<yyyyMMdd-HHmmss>.pdf" ("QEL-..." for a program never saved), with "-2", "-3"
    // ... added when such a file exists already.
    static QString fileFor(const QString& folder, const std::string& programPath, const QDateTime& time);

private:
    QString folder_;
    PageFormat format_;
    QString path_;
    std::unique_ptr<QPdfWriter> writer_;
    std::unique_ptr<QPainter> painter_;
    int pages_ = 0;
};

} // namespace qel
