// The block instructions: If, Else, EndIf, While, EndWhile, For, Next, BreakOutOfLoop, Continue.

#include "instructions/families.h"
#include "instructions/flow/flow_handlers.h"
#include "instructions/flow/for_editor.h"
#include "instructions/flow/if_editor.h"
#include "instructions/flow/while_editor.h"

namespace qel {

namespace {

const IfEditor kIfEditor;
const WhileEditor kWhileEditor;
const ForEditor kForEditor;

} // namespace

Family flowFamily()
{
    static const InstructionDescriptor descriptors[] = {
        {kIf,
         {InstructionList::FunctionsAndFlow, 6, true},
         {},
         &kIfEditor,
         executeIf,
         {"Runs the lines up to Else (or EndIf) only when the condition holds; otherwise the lines after Else, if "
          "there is an Else. A condition compares up to three pairs of values, joined by AND, OR or XOR; one "
          "pair of brackets may group two of them. EndIf is added by itself.",
          "Variable: the value on the left of the comparison.\n"
          "Comparision: Greater Than, Less Than, Equal, Not Equal..., or .AtEndOfFile for a File variable, "
          "IsNumeric and IsNotNumeric for a String.\n"
          "Value: the value on the right.\n"
          "Condition: AND, OR or XOR to join the next comparison, or empty.\n"
          "( and ): brackets around comparisons.",
          {"", "X", kGreaterThanItem, "100"},
          {}},
         decodeIf},
        {kElse,
         {InstructionList::FunctionsAndFlow, 7},
         {},
         nullptr,
         executeElse,
         {"Inside an If block: the lines from here to EndIf run when the If condition does not hold.", {}, {}, {}},
         decodeElse},
        {kEndIf,
         {InstructionList::FunctionsAndFlow, 8},
         {},
         nullptr,
         executeEndIf,
         {"Closes the block opened by If. It is added by itself after every new If line.", {}, {}, {}},
         decodeEndIf},
        {kWhile,
         {InstructionList::FunctionsAndFlow, 11, true},
         {},
         &kWhileEditor,
         executeWhile,
         {"Repeats the lines up to EndWhile for as long as a comparison holds; it is tested before every round. "
          "EndWhile is added by itself.",
          "Variable: the value on the left.\n"
          "Condition: Greater Than, Less Than, Greater Than or Equal, Less Than or Equal, Equal or Not Equal.\n"
          "Value: the value on the right.",
          {"X", "Less Than", "100"},
          {}},
         decodeWhile},
        {kEndWhile,
         {InstructionList::FunctionsAndFlow, 12},
         {},
         nullptr,
         executeEndWhile,
         {"Closes the loop opened by While: the program goes back to the While line and tests again.", {}, {}, {}},
         decodeEndWhile},
        {kFor,
         {InstructionList::FunctionsAndFlow, 9, true},
         {},
         &kForEditor,
         executeFor,
         {"Repeats the lines up to Next, counting a variable from a start value to a finish value. Next is added "
          "by itself.",
          "Control Variable: the variable that counts.\n"
          "Starting Value, Finishing Value: where the count starts and ends.\n"
          "Step: how much is added each time round (1 when empty; negative counts down).",
          {"I", "1", "10", ""},
          {}},
         decodeFor},
        {kNext,
         {InstructionList::FunctionsAndFlow, 10},
         {},
         nullptr,
         executeNext,
         {"Closes the loop opened by For: the count moves on and the loop runs again until it is done.", {}, {}, {}},
         decodeNext},
        {kBreakOutOfLoop,
         {InstructionList::FunctionsAndFlow, 13, true},
         "bo",
         nullptr,
         executeBreak,
         {"Leaves the innermost For or While loop at once and carries on after its Next or EndWhile.", {}, {}, {}}},
        {kContinue,
         {InstructionList::FunctionsAndFlow, 14},
         "con",
         nullptr,
         executeContinue,
         {"Skips the rest of this round of the innermost For or While loop and starts the next round.", {}, {}, {}}},
    };
    return descriptors;
}

} // namespace qel
