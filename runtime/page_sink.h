#pragma once
// Where the pages a running program prints go: a printer, or a PDF file standing in for one. The
// hosts provide one (RunHost::printer); the printing instructions draw each page into an image and
// hand it over whole.

#include <QImage>

#include <optional>
#include <string>

namespace qel {

// The sheet a printer prints on: its size in millimetres and its resolution in dots per inch.
struct PageFormat {
    double widthMm = 210.0;
    double heightMm = 297.0;
    int dotsPerInchX = 300;
    int dotsPerInchY = 300;
};

class PageSink {
public:
    virtual ~PageSink() = default;
    // The default printer's sheet, asked without a dialog; nothing when no settings can be had.
    virtual std::optional<PageFormat> pageFormat() = 0;
    // Starts the document "QEL" for the program saved at programPath (a system file name; empty:
    // never saved). False when the printer (or the file) refuses.
    virtual bool beginDocument(const std::string& programPath) = 0;
    // Prints one sheet: the image, at its own resolution (its dots per metre), half a millimetre in
    // from the sheet's top left corner. False when the page could not be printed.
    virtual bool printPage(const QImage& page) = 0;
    // Ends the document: the pages go out. False when the job failed at the end.
    virtual bool endDocument() = 0;
    // Drops a document begun but not wanted (PrintStart failed after beginning it).
    virtual void abortDocument() = 0;
};

} // namespace qel
