// The lines that declare, call and leave user functions: DeclareFunction, EndFunction, Call,
// CallUsing and Return.

#include "instructions/families.h"
#include "instructions/functions/call_editors.h"
#include "instructions/functions/declare_function.h"
#include "instructions/functions/function_handlers.h"

namespace qel {

namespace {

const DeclareFunctionEditor kDeclareFunctionEditor;
const CallEditor kCallEditor;
const CallUsingEditor kCallUsingEditor;
const ReturnEditor kReturnEditor;

} // namespace

Family functionsFamily()
{
    static const InstructionDescriptor descriptors[] = {
        {kDeclareFunction,
         {InstructionList::FunctionsAndFlow, 1},
         "df",
         &kDeclareFunctionEditor,
         executeDeclareFunction,
         {"Starts a function: the lines up to EndFunction, run by Call. Put functions after a section's main "
          "lines. Function names are unique in the whole program. The Keyboard and Mouse sections hold the "
          "functions that key presses and mouse actions run, such as qelOnKeyDown and qelOnLeftButtonDown.",
          "Function Name: the function's name.\n"
          "Parameter 1 to Parameter 3: variables that receive the values a Call passes, or empty.\n"
          "Return Type: (Nothing), Integer, Floating Point or String.",
          {"DrawHouse", "X", "Y", "", "(Nothing)"},
          {}}},
        {kEndFunction,
         {InstructionList::FunctionsAndFlow, 2},
         {},
         nullptr,
         executeEndFunction,
         {"Ends a function: the program goes back to the line after the Call.", {}, {}, {}}},
        {kCall,
         {InstructionList::FunctionsAndFlow, 3, true},
         {},
         &kCallEditor,
         executeCall,
         {"Runs a function declared with DeclareFunction, then carries on with the next line. Up to three values "
          "are passed to the function's parameters; a function that returns a value can store it in a variable.",
          "Function Name: the name of the function to run.\n"
          "Return Into: a variable that receives the function's return value, or empty.\n"
          "Parameter 1 to Parameter 3: values (variables or numbers or strings) for the function's parameters, in "
          "order.",
          {"DrawHouse", "", "X", "Y"},
          {}},
         decodeCall},
        {kCallUsing,
         {InstructionList::FunctionsAndFlow, 4},
         {},
         &kCallUsingEditor,
         executeCallUsing,
         {"Calls a function whose name is made while the program runs: the prefix followed by the value of a "
          "variable. With the prefix Level and the variable holding 2, the function Level2 runs.",
          "Function Prefix: the first part of the name.\n"
          "Control Variable: a numeric or String variable whose value ends the name.\n"
          "Allow Missing Target: ticked, a name with no function does nothing instead of stopping the run.\n"
          "Return Into, Parameter 1 to Parameter 3: as for Call.",
          {"Level", "N"},
          {}}},
        {kReturn,
         {InstructionList::FunctionsAndFlow, 5},
         {},
         &kReturnEditor,
         executeReturn,
         {"Leaves the function being run and goes back to the line after its Call, optionally with a value for "
          "the caller.",
          "Value: the value to return, or empty.",
          {"Score"},
          {}},
         decodeReturn},
    };
    return descriptors;
}

} // namespace qel
