// The desktop's documents and file dialog: OpenDoc and OpenSaveLoadDlg.

#include "instructions/documents/documents.h"
#include "instructions/families.h"

namespace qel {

namespace {

const OpenDocEditor kOpenDocEditor;
const OpenSaveLoadDlgEditor kOpenSaveLoadDlgEditor;

} // namespace

Family documentsFamily()
{
    static const InstructionDescriptor descriptors[] = {
        {kOpenDoc,
         {InstructionList::Miscellaneous, 8},
         {},
         &kOpenDocEditor,
         executeOpenDoc,
         {"Opens a document (a picture, a text, a web page...) with the program the desktop uses for it, and "
          "goes on at once. It opens existing files and http, https and mailto addresses, and never runs a "
          "program; a name it cannot open is simply left alone. A file name without a folder is found beside "
          "the saved program.",
          "Document Name: the file's name or the address, in double quotes, or a String variable; \"...\" "
          "picks a file.",
          {"\"notes.txt\""},
          {}}},
        {kOpenSaveLoadDlg,
         {InstructionList::Miscellaneous, 14},
         "os",
         &kOpenSaveLoadDlgEditor,
         executeOpenSaveLoadDlg,
         {"Lets the user choose a file in the desktop's file dialog, starting in the program's folder, and "
          "stores its full name; Cancel stores an empty string. A name typed without an ending gets .txt.",
          "String Variable: the String variable that receives the chosen file's name.\n"
          "Save, Load: Load chooses an existing file; Save chooses a name to save under, in an existing folder "
          "(the dialog asks before an existing file is replaced).",
          {"Path", "", "1"},
          {}}},
    };
    return descriptors;
}

} // namespace qel
