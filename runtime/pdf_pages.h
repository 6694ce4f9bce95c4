#pragma once
// Printed pages as a PDF file, for a machine without a printer and for `qeltool run --print-dir`:
// each document is a new file named after the program and the time it was started, in the
// program's folder (or the folder given), A4 at 300 dots per inch unless told otherwise.

#include "runtime/page_sink.h"

#include <QString>

#include <functional>
#include <memory>

class QImage;
class QPainter;

namespace qel {

class PdfFile;

// Draws a page image at the page's top left corner, half a millimetre in, at its own resolution on
// a device of `dots` dots per inch.
void drawPageImage(QPainter& painter, double dots, const QImage& page);

class PdfPages final : public PageSink {
public:
    // folder: where the files go; empty: beside the program (the current directory for a program
    // never saved). Written: told the file's name and its page count when a document is complete.
    explicit PdfPages(QString folder = {}, PageFormat format = {});
    ~PdfPages() override;
    PdfPages(const PdfPages&) = delete;
    PdfPages& operator=(const PdfPages&) = delete;

    std::function<void(const QString& path, int pages)> written;
    // Told how many bytes the file has grown by since it was last told, as each page is written
    // out and when the document ends: a run that keeps one document open is seen growing.
    std::function<void(uint64_t bytes)> grew;

    std::optional<PageFormat> pageFormat() override { return format_; }
    bool beginDocument(const std::string& programPath) override;
    bool printPage(const QImage& page) override;
    bool endDocument() override;
    void abortDocument() override;

    // The file of the document begun last.
    const QString& path() const { return path_; }

    // Where a document of the program saved at programPath goes: the folder given, or the
    // program's; and the stem of its name, the program's ("QEL" for a program never saved). The
    // file is "<stem>-<yyyyMMdd-HHmmss>.pdf" (see PdfFile).
    static QString folderFor(const QString& folder, const std::string& programPath);
    static QString stemFor(const std::string& programPath);

private:
    QString folder_;
    PageFormat format_;
    QString path_;
    std::unique_ptr<PdfFile> file_; // the document begun and not yet ended
    std::unique_ptr<QPainter> painter_;
    int pages_ = 0;
    uint64_t reported_ = 0; // the file's size `grew` was last told of

    void reportGrowth(uint64_t size);
};

} // namespace qel
