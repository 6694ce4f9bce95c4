// Forms at run time: OpenForm, OpenForm2, CloseForm2 and Form2Exchange.

#include "instructions/families.h"

namespace qel {

Family formsFamily()
{
    static const InstructionDescriptor descriptors[] = {
        {kOpenForm,
         {InstructionList::Miscellaneous, 9},
         {},
         nullptr,
         nullptr,
         {"Shows a simple input form built from arrays and waits until the user closes it: one row a control, "
          "with a prompt, a starting value and, afterwards, the user's answer.",
          "Control Types: a 1D numeric array with one element for each row (at most 10).\n"
          "Default Values: a 2D String array with the starting values.\n"
          "Prompts: a String array with the rows' prompts.\n"
          "Results: a String array that receives the answers.",
          {},
          "OpenForm Types, Defaults, Prompts, Results"}},
        {kOpenForm2,
         {InstructionList::Miscellaneous, 10},
         {},
         nullptr,
         nullptr,
         {"Opens a form made in the forms designer (a .frm file) as a window. Clicks on its buttons run the "
          "program's functions named in the form. Listed as Forms2Open.",
          "Form Name: the form file's name, in double quotes, or a String variable.",
          {},
          "OpenForm2 \"scores.frm\", "}},
        {kCloseForm2,
         {InstructionList::Miscellaneous, 11},
         {},
         nullptr,
         nullptr,
         {"Closes a form opened with Forms2Open (OpenForm2). Listed as Forms2Close.",
          "Form Name: the form's caption, in double quotes, or a String variable.",
          {},
          "CloseForm2 \"Scores\", "}},
        {kForm2Exchange,
         {InstructionList::Miscellaneous, 12},
         {},
         nullptr,
         nullptr,
         {"Reads or changes one property of one object of an open form, for example the text of an edit box "
          "or the caption of a button. Listed as Forms2Exchange.",
          "Form Name: the form's caption.\n"
          "Variable/Value: the variable that receives the property (Get), or the new value (Set).\n"
          "Action: Get or Set.\nForm Object: the object's name.\nObject Property: the property's name.\n"
          "Repaint Form: Yes to show the change at once.",
          {},
          "Form2Exchange \"Scores\",Text,Set,buttOK,buttCaption,Yes"}},
    };
    return descriptors;
}

} // namespace qel
