// The string and date-time instructions: StringPart, StringToNumeric, StringFromNumeric,
// StringLength and GetTimeAndDate.

#include "instructions/families.h"
#include "instructions/strings/string_editors.h"
#include "instructions/strings/string_instructions.h"

namespace qel {

Family stringsFamily()
{
    static const std::vector<const InstructionEditor*> editors = stringEditors();
    static const InstructionDescriptor descriptors[] = {
        {kStringPart,
         {InstructionList::Strings, 3},
         "sp",
         editorOfType(editors, kStringPart),
         stringPart,
         {"Copies part of a string into another String variable. Positions count from 1; a part beyond the end "
          "of the text is simply shorter (or empty).",
          "Source String: the String variable to copy from.\n"
          "Start From, Finish At: the first and last character positions to copy.\n"
          "Destination String: the String variable that receives the part.",
          {"Name", "1", "3", "Text"},
          {}}},
        {kStringToNumeric,
         {InstructionList::Strings, 2},
         "stn",
         editorOfType(editors, kStringToNumeric),
         stringToNumeric,
         {"Turns a text such as 42 or 3.5 into a number.",
          "String Variable: the text.\nNumeric Variable: the variable that receives the number.",
          {"Reply", "N"},
          {}}},
        {kStringFromNumeric,
         {InstructionList::Strings, 1},
         "sfn",
         editorOfType(editors, kStringFromNumeric),
         stringFromNumeric,
         {"Turns a number into text, for example to join it to other text or to write it to a file.",
          "Numeric Variable: the number.\nString Variable: the variable that receives the text.",
          {"Score", "Text"},
          {}}},
        {kStringLength,
         {InstructionList::Strings, 4},
         "sl",
         editorOfType(editors, kStringLength),
         stringLength,
         {"Counts the characters of a string.",
          "String Variable: the text to measure.\nSave Length In: a numeric variable for the count.",
          {"Name", "Length"},
          {}}},
        {kGetTimeAndDate,
         {InstructionList::Miscellaneous, 3},
         {},
         editorOfType(editors, kGetTimeAndDate),
         getTimeAndDate,
         {"Stores the time now as text like 14:05:09 and today's date like 25/12/2024 (day first).",
          "Time: a String variable for the time.\nDate: a String variable for the date.",
          {"Time", "Date"},
          {}}},
    };
    return descriptors;
}

} // namespace qel
