// Text files: TextFileOpen, TextFileClose, TextFileRead and TextFileWrite.

#include "instructions/families.h"
#include "instructions/files/text_file_instructions.h"
#include "instructions/files/text_file_open.h"

namespace qel {

namespace {

const TextFileOpenEditor kTextFileOpenEditor;
const TextFileReadEditor kTextFileReadEditor;
const TextFileWriteEditor kTextFileWriteEditor;
const TextFileCloseEditor kTextFileCloseEditor;

constexpr const char* kOpenFileHelp = "File Variable: the open file.\n";

} // namespace

Family filesFamily()
{
    static const InstructionDescriptor descriptors[] = {
        {kTextFileOpen,
         {InstructionList::TextFiles, 1},
         {},
         &kTextFileOpenEditor,
         executeTextFileOpen,
         {"Opens a text file for reading or for writing, through a File variable. A file name without a folder "
          "is found beside the saved program. Opening for writing starts the file afresh.",
          "File Variable: the File variable that stands for the open file.\n"
          "Text File Name: the file's name, in double quotes, or a String variable; \"...\" picks a file.\n"
          "Open For Reading, Open For Writing: what the file is opened for; writing starts a new file.",
          {"Data", "\"scores.txt\"", "1", ""},
          {}}},
        {kTextFileClose,
         {InstructionList::TextFiles, 2},
         {},
         &kTextFileCloseEditor,
         executeTextFileClose,
         {"Closes a text file opened with TextFileOpen, so everything written is in the file. Close a file you "
          "have written before you read it again. Files still open when the program stops are closed then.",
          "File Variable: the File variable of the open file.",
          {"Data"},
          {}}},
        {kTextFileRead,
         {InstructionList::TextFiles, 3},
         {},
         &kTextFileReadEditor,
         executeTextFileRead,
         {"Reads the next line of a text file opened for reading. At the end of the file nothing changes: test "
          "for it with the .AtEndOfFile comparison of If or While, which holds once a read has found nothing "
          "more, so read, test, then use the line.",
          std::string(kOpenFileHelp) +
              "Read Into String Variable: the String variable that receives the line.\n"
              "Split Line On Commas: ticked, the line's comma-separated parts go into the elements of a 1D String "
              "array, starting at element 1 (a comma inside double quotes does not split, and the quotes stay), "
              "and Field Count Variable receives how many there were.",
          {"Data", "Line"},
          {}}},
        {kTextFileWrite,
         {InstructionList::TextFiles, 4},
         {},
         &kTextFileWriteEditor,
         executeTextFileWrite,
         {"Writes one value to a text file opened for writing. Write the values of a record each with a comma "
          "after it and the last with a NewLine, and TextFileRead splits the line into them again.",
          std::string(kOpenFileHelp) +
              "Write Value: a variable, a number, or a text in double quotes.\n"
              "Write A Comma Afterwards, Add Quotes Around, Add A NewLine: what is written with the value.",
          {"Data", "Score", "", "", "1"},
          {}}},
    };
    return descriptors;
}

} // namespace qel
