// The desktop's documents and file dialog: OpenDoc and OpenSaveLoadDlg.

#include "instructions/families.h"

namespace qel {

Family documentsFamily()
{
    static const InstructionDescriptor descriptors[] = {
        {kOpenDoc,
         {InstructionList::Miscellaneous, 8},
         {},
         nullptr,
         nullptr,
         {"Opens a document (a web page, a picture, a text...) with the program the desktop uses for it.",
          "Document: the name, in double quotes, or a String variable.",
          {},
          "OpenDocument \"notes.txt\""}},
        {kOpenSaveLoadDlg,
         {InstructionList::Miscellaneous, 14},
         "os",
         nullptr,
         nullptr,
         {"Lets the user choose a file in the desktop's file dialog and stores its full name.",
          "Variable: the String variable that receives the chosen file's name.\n"
          "Load, Save: whether an existing file is chosen (Load) or a name to save under (Save).",
          {},
          "OpenSaveLoadDlg Path,Load"}},
    };
    return descriptors;
}

} // namespace qel
