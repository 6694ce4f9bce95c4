// Printing from a program: PrintStart, PrintEject and PrintStop.

#include "instructions/families.h"

namespace qel {

Family printingFamily()
{
    static const InstructionDescriptor descriptors[] = {
        {kPrintStart,
         {InstructionList::Printing, 1},
         {},
         nullptr,
         nullptr,
         {"Starts printing: everything drawn afterwards goes to the printer instead of the window.", {}, {}, {}}},
        {kPrintStop,
         {InstructionList::Printing, 2},
         {},
         nullptr,
         nullptr,
         {"Ends printing: the pages are sent to the printer and drawing goes to the window again.", {}, {}, {}}},
        {kPrintEject,
         {InstructionList::Printing, 3},
         {},
         nullptr,
         nullptr,
         {"While printing: ends the page and starts a new one.", {}, {}, {}}},
    };
    return descriptors;
}

} // namespace qel
