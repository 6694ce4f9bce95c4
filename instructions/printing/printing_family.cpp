// Printing from a program: PrintStart, PrintEject and PrintStop.

#include "instructions/families.h"
#include "instructions/printing/printing.h"

namespace qel {

Family printingFamily()
{
    static const InstructionDescriptor descriptors[] = {
        {kPrintStart,
         {InstructionList::Printing, 1},
         {},
         nullptr,
         executePrintStart,
         {"Starts printing: everything drawn afterwards (and WindowGetSize, TextFont and the text colours) is "
          "on the page instead of the window, until PrintStop; a repaint of the window still draws the Paint "
          "section on the window. Without a printer the pages go to a PDF file beside the program, named "
          "after it and the time.",
          {},
          {},
          {}}},
        {kPrintStop,
         {InstructionList::Printing, 2},
         {},
         nullptr,
         executePrintStop,
         {"Ends printing: the last page is sent to the printer and drawing goes to the window again. A program "
          "that stops while printing ends its printing then.",
          {},
          {},
          {}}},
        {kPrintEject,
         {InstructionList::Printing, 3},
         {},
         nullptr,
         executePrintEject,
         {"While printing: sends the page to the printer and starts a new, blank one.", {}, {}, {}}},
    };
    return descriptors;
}

} // namespace qel
