#pragma once
// Where the environment's printing goes: the system's printer (after its print dialog), or, on a
// machine without one (most Linux classrooms), a new PDF file in the program's folder named after
// the program and the time, whose name the user is told.

#include "base/result.h"

#include <QString>
#include <QtGlobal>

#include <functional>
#include <string>
#include <string_view>

class QPagedPaintDevice;
class QPainter;
class QWidget;

namespace qel {

class MessageHost;

// Prints a job named `name`: `paint` draws its pages on the device (each page after the first
// begun with device.newPage()). It goes to the default printer when the system has one (the print
// dialog is shown when `ask`), otherwise to a new PDF file in `folder` named
// "<stem>-YYYYMMDD-HHMMSS.pdf". Returns the PDF's name (empty: the printer, or the user cancelled),
// or why nothing was printed (a printer's or a file's name, or the system's reason), which
// tellCannotPrint puts into words.
Result<QString> printPages(QWidget* parent, const QString& name, const QString& folder, const QString& stem, bool ask,
                           const std::function<void(QPainter&, QPagedPaintDevice&)>& paint);

// The menu text of Print Setup, in the main window and in the variable list window.
inline constexpr const char* kPrintSetupText = QT_TRANSLATE_NOOP("qel", "P&rint Setup...");

// File > Print Setup...: the page setup of the default printer; without a printer, a message that
// says so and that printed pages go to a PDF file in `folder` (the program's; empty: the current one).
void printSetup(QWidget* parent, MessageHost& messages, const QString& folder);
// That message, and the words of it with %1 for the folder.
QString noPrinterText(const QString& folder);
inline constexpr const char* kNoPrinter = QT_TRANSLATE_NOOP("qel", "There is no printer on this computer, so there is "
                                                                   "nothing to set up.\n\nWhat you print goes to a PDF "
                                                                   "file beside the program, in %1.");

// "Printed to <path>" where the pages went to a file: the text, and the message that says it.
inline constexpr const char* kPrintedTo = QT_TRANSLATE_NOOP("qel", "Printed to %1");
QString printedToText(const QString& path);
void tellPrintedTo(MessageHost& messages, const QString& path);

// "Unable to print: <reason>" where nothing was printed.
inline constexpr const char* kCannotPrint = QT_TRANSLATE_NOOP("qel", "Unable to print: %1");
void tellCannotPrint(MessageHost& messages, const std::string& reason);

} // namespace qel
