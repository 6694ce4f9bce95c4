// Text files: TextFileOpen, TextFileClose, TextFileRead and TextFileWrite.

#include "instructions/families.h"
#include "instructions/files/text_file_open.h"

namespace qel {

namespace {

const TextFileOpenEditor kTextFileOpenEditor;

constexpr const char* kOpenFileHelp = "File Variable: the open file.\n";

} // namespace

Family filesFamily()
{
    static const InstructionDescriptor descriptors[] = {
        {kTextFileOpen,
         {InstructionList::TextFiles, 1},
         {},
         &kTextFileOpenEditor,
         nullptr,
         {"Opens a text file for reading or for writing, through a File variable.",
          "File Variable: the File variable that stands for the open file.\n"
          "Text File Name: the file's name, in double quotes, or a String variable.\n"
          "Open For Reading, Open For Writing: what the file is opened for; writing starts a new file.",
          {"Data", "\"scores.txt\"", "1", ""},
          {}}},
        {kTextFileClose,
         {InstructionList::TextFiles, 2},
         {},
         nullptr,
         nullptr,
         {"Closes a text file opened with TextFileOpen. Close a file you have written before you read it again.",
          "File Variable: the File variable of the open file.",
          {},
          "TextFileClose Data"}},
        {kTextFileRead,
         {InstructionList::TextFiles, 3},
         {},
         nullptr,
         nullptr,
         {"Reads the next line of a text file opened for reading. At the end of the file nothing changes: test "
          "for it with the .AtEndOfFile comparison of If or While.",
          std::string(kOpenFileHelp) +
              "Read Into String Variable: the String variable that receives the line.\n"
              "Split Line On Commas: ticked, the line's comma-separated parts go into the elements of a 1D String "
              "array, and Field Count Variable receives how many there were.",
          {},
          "TextFileRead Data, Line"}},
        {kTextFileWrite,
         {InstructionList::TextFiles, 4},
         {},
         nullptr,
         nullptr,
         {"Writes one value to a text file opened for writing.",
          std::string(kOpenFileHelp) +
              "Write Value: a variable, a number, or a text in double quotes.\n"
              "Write A Comma Afterwards, Add Quotes Around, Add A NewLine: what is written with the value.",
          {},
          "TextFileWrite Data, Score,NewLine"}},
    };
    return descriptors;
}

} // namespace qel
