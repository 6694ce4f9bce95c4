// The variable list window a program opens: DisplayVarsInListCtrl.

#include "instructions/families.h"
#include "instructions/inspection/display_vars.h"

namespace qel {

namespace {

const DisplayVarsEditor kDisplayVarsEditor;

} // namespace

Family inspectionFamily()
{
    static const InstructionDescriptor descriptors[] = {
        {kDisplayVarsInListCtrl,
         {InstructionList::Miscellaneous, 2},
         {},
         &kDisplayVarsEditor,
         executeDisplayVars,
         {"Opens a window that shows up to six 1D arrays side by side as the columns of a table, which the user "
          "can sort, copy, print and save.",
          "Variables: up to six 1D arrays of the same size.\n"
          "Titles: the columns' titles (the variables' names when empty).\n"
          "List Title: the window's title.",
          {"Names", "\"Name\"", "Scores", "", "", "", "", "", "", "", "", "", "\"High scores\""},
          {}}},
    };
    return descriptors;
}

} // namespace qel
