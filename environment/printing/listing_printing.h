#pragma once
// Printing the program listing: the sections the user chose in "Print Sections", section after
// section, each line with word wrapping and the block indentation the program view shows (40 points
// a level), a line that does not fit the rest of a page moving whole to the next one.

#include "base/translatable.h"
#include <QString>

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

class QPaintDevice;
class QPainter;
class QWidget;

namespace qel {

class MessageHost;
class Program;

// The flags of the "Print Sections" dialog.
enum PrintSectionFlag : uint8_t {
    kPrintInitialise = 1,
    kPrintKeyboard = 2,
    kPrintPaint = 4,
    kPrintTimer = 8,
    kPrintMouse = 16,
    kPrintAllSections = 31,
};
uint8_t printFlagOf(uint32_t section);

// The block level of each line of a section for printing: the view's indentation rule, a section
// starting at level 0 and never going below it.
std::vector<int> printLevels(const Program& program, uint32_t section);

// Paints the listing's pages (newPage between them); returns the number of pages.
int paintListingPages(QPainter& painter, QPaintDevice& device, const Program& program, uint8_t sections,
                      const std::function<bool()>& newPage);

inline constexpr const char* kNoSectionsSelected = QT_TRANSLATE_NOOP("qel", "No sections selected.");

// "Print Sections": the user ticks the sections to print; nothing when cancelled. A dialog with
// nothing ticked says kNoSectionsSelected and stays open.
std::optional<uint8_t> askPrintSections(QWidget* parent, MessageHost& messages);

} // namespace qel
