// Variables: DeclareVariable, which creates its variables when the line is stored, and Let.

#include "instructions/families.h"
#include "instructions/variables/declare_variable.h"
#include "instructions/variables/let.h"
#include "instructions/variables/let_editor.h"
#include "interpreter/line_context.h"
#include "values/variable_table.h"

namespace qel {

namespace {

const DeclareVariableEditor kDeclareVariableEditor;
const LetEditor kLetEditor;

// Variables exist from the moment their line is stored; a run resets them before it starts.
LineResult declarationsDoNothing(LineContext&) { return Flow::Next; }

} // namespace

Family variablesFamily()
{
    static const InstructionDescriptor descriptors[] = {
        {kDeclareVariable,
         {InstructionList::Variables, 1},
         "dv",
         &kDeclareVariableEditor,
         declarationsDoNothing,
         {"Declares up to four variables of one type. Variables exist as soon as the line is entered, in every "
          "section and every function; each run starts them at their initial values. Names start with a letter "
          "and have up to 20 letters, digits or underscores.",
          "Variable Type: Integer, Floating Point, String, Bitmap or File.\n"
          "Dimensions: Not an Array, 1D Array or 2D Array.\n"
          "1st Dimension, 2nd Dimension: the number of elements of an array (elements count from 1).\n"
          "Variable Name: the name of each variable.\n"
          "Initial Value: the value each run starts with (numbers and strings only).",
          {kIntegerTypeName, kNotArrayName, "", "", "Lives", "3", "Level", "1"},
          {}}},
        {kLet,
         {InstructionList::Variables, 2},
         {},
         &kLetEditor,
         executeLetLine,
         {"Gives a variable a new value: up to three values joined by operators (+, -, *, /, % and the bit "
          "operators), worked out from left to right; or one of the functions Cos, Sin, Tan (in degrees), Sqrt, "
          "Rand, Int, Fraction, Round, DateToStr or DateFromStr, optionally combined with one more value.",
          "Variable: the variable that receives the value.\n"
          "Expression, Operator: the values and the operators between them.\n"
          "Use A Function: ticked, the value comes from Function applied to Argument, then Operator and Second "
          "Operand.",
          {"X", "", "X", "+", "1"},
          {}},
         decodeLet},
    };
    return descriptors;
}

} // namespace qel
