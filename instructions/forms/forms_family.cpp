// Forms at run time: OpenForm, OpenForm2, CloseForm2 and Form2Exchange.

#include "instructions/families.h"
#include "instructions/forms/form_instructions.h"
#include "program/instruction_table.h"

namespace qel {

namespace {

const std::vector<const InstructionEditor*>& editors()
{
    static const std::vector<const InstructionEditor*> list = formEditors();
    return list;
}

} // namespace

Family formsFamily()
{
    static const InstructionDescriptor descriptors[] = {
        {kOpenForm,
         {InstructionList::Miscellaneous, 9},
         {},
         editorOfType(editors(), kOpenForm),
         executeOpenForm,
         {"Shows a simple input form built from arrays and waits until the user closes it: one row a control, "
          "with a prompt, a starting value and, afterwards, the user's answer.",
          "Control Types: a 1D numeric array with one element for each row (at most 10): 0 a list of the row's "
          "Default Values, 1 an edit box, 2 an edit box that cannot be changed, 3 an edit box for a number; 99 "
          "ends the form early.\n"
          "Default Values: a 2D String array with the starting values.\n"
          "Prompts: a String array with the rows' prompts.\n"
          "Results: a String array that receives the answers.",
          {"Types", "Defaults", "Prompts", "Results"},
          {}}},
        {kOpenForm2,
         {InstructionList::Miscellaneous, 10},
         {},
         editorOfType(editors(), kOpenForm2),
         executeOpenForm2,
         {"Opens a form made in the forms designer (a .frm file) as a window. Clicks on its buttons run the "
          "program's functions named in the form. Listed as Forms2Open.",
          "Form Name: the form file's name, in double quotes, or a String variable; the \"...\" button chooses the "
          "file. A name without a folder is found in the program's folder.",
          {"\"scores.frm\""},
          {}}},
        {kCloseForm2,
         {InstructionList::Miscellaneous, 11},
         {},
         editorOfType(editors(), kCloseForm2),
         executeCloseForm2,
         {"Closes a form opened with Forms2Open (OpenForm2). Listed as Forms2Close.",
          "Form Name: the form's caption, in double quotes, or a String variable.",
          {"\"Scores\""},
          {}}},
        {kForm2Exchange,
         {InstructionList::Miscellaneous, 12},
         {},
         editorOfType(editors(), kForm2Exchange),
         executeForm2Exchange,
         {"Reads or changes one property of one object of an open form, for example the text of an edit box "
          "or the caption of a button. Listed as Forms2Exchange.",
          "Form Name: the form's caption.\n"
          "Variable/Value: the variable that receives the property (Get), or the new value (Set).\n"
          "Action: Get or Set.\nForm Object: the object's name.\nObject Property: the property's name.\n"
          "Object Type: the type whose property names the Object Property list offers.\n"
          "Repaint Form: Yes to show the change at once.\n"
          "The \"...\" button at the bottom reads a form file, so that the lists offer its objects.",
          {"\"Scores\"", "Text", "Set", "buttOK", "", "buttCaption", "Yes"},
          {}}},
    };
    return descriptors;
}

} // namespace qel
