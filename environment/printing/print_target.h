#pragma once
// Where the environment's printing goes: the system's printer (after its print dialog), or, on a
// machine without one (most Linux classrooms), a PDF file in the program's folder named after the
// program and the time, whose name the user is told.

#include <QString>

#include <memory>

class QPrinter;
class QWidget;

namespace qel {

class MessageHost;

struct PrintTarget {
    std::unique_ptr<QPrinter> printer; // none: the user cancelled the print dialog
    QString pdfPath;                   // set when the pages go to a PDF file
};

// A printer for a job named `name`: the default printer when the system has one (the print dialog
// is shown when `ask`), otherwise a PDF file in `folder` named "<stem>-YYYYMMDD-HHMMSS.pdf".
PrintTarget choosePrintTarget(QWidget* parent, const QString& name, const QString& folder, const QString& stem,
                              bool ask = true);

// The menu text of Print Setup, in the main window and in the variable list window.
inline constexpr const char* kPrintSetupText = "P&rint Setup...";

// File > Print Setup...: the page setup of the default printer; without a printer, a message that
// says so and that printed pages go to a PDF file in `folder` (the program's; empty: the current one).
void printSetup(QWidget* parent, MessageHost& messages, const QString& folder);
// That message.
QString noPrinterText(const QString& folder);

// "Printed to <path>" where the pages went to a file.
QString printedToText(const QString& path);

} // namespace qel
