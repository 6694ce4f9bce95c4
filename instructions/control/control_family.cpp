// Program control and the lines that do nothing when they run: the blank line, Comment, Stop,
// AutoRun, ExitQEL, PostQuitMessage, the text comparison options, and TraceOn, TraceOff and StepOn,
// which old programs may still hold.

#include "instructions/control/comment_editor.h"
#include "instructions/families.h"
#include "interpreter/line_context.h"

namespace qel {

namespace {

constexpr std::string_view kKeptForOldPrograms =
    "Kept for old programs only: it does nothing, and is left out when a program file is read.";

const CommentEditor kCommentEditor;

LineResult doNothing(LineContext&) { return Flow::Next; }

LineResult executeStop(LineContext& line)
{
    line.pauseAfterThisLine();
    return Flow::Next;
}

LineResult executeExit(LineContext&) { return Flow::Exit; }
LineResult executePostQuit(LineContext&) { return Flow::Quit; }

LineResult executeCaseSensitive(LineContext& line)
{
    line.eval().caseSensitive = true;
    return Flow::Next;
}

LineResult executeCaseInsensitive(LineContext& line)
{
    line.eval().caseSensitive = false;
    return Flow::Next;
}

} // namespace

Family controlFamily()
{
    static const InstructionDescriptor descriptors[] = {
        {kBlank, {}, {}, nullptr, doNothing, {{}, {}, {}, {}}},
        {kComment,
         {InstructionList::Miscellaneous, 1},
         "com",
         &kCommentEditor,
         doNothing,
         {"A note for the reader of the program. It does nothing when the program runs. The first line of every "
          "section is a comment naming the section.",
          "Comment: any text.",
          {"Draw the house and the garden"},
          {}}},
        {kStop,
         {InstructionList::ProgramControl, 1},
         {},
         nullptr,
         executeStop,
         {"Pauses the program at this line, as a breakpoint does: look at the variables in the Object Viewer, "
          "then choose Continue or Single Step from the Run menu.",
          {},
          {},
          {}}},
        {kAutoRun,
         {InstructionList::ProgramControl, 2},
         {},
         nullptr,
         doNothing,
         {"A program file holding this line starts running as soon as it is opened, and QEL closes when the "
          "program is stopped. Hold Ctrl or Shift while opening the file to edit it instead.",
          {},
          {},
          {}}},
        {kExitQEL,
         {InstructionList::ProgramControl, 3},
         {},
         nullptr,
         executeExit,
         {"Ends the run and closes QEL.", {}, {}, {}}},
        {kPostQuitMessage,
         {InstructionList::Miscellaneous, 7},
         {},
         nullptr,
         executePostQuit,
         {"Ends the run of the program, as the Stop command of the Run menu does.", {}, {}, {}}},
        {kOptionCaseSensitive,
         {InstructionList::Options, 2},
         {},
         nullptr,
         executeCaseSensitive,
         {"From now on comparisons of texts tell capital and small letters apart (abc is not Equal to ABC).",
          {},
          {},
          {}}},
        {kOptionCaseInsensitive,
         {InstructionList::Options, 1},
         {},
         nullptr,
         executeCaseInsensitive,
         {"From now on comparisons of texts ignore the difference between capital and small letters (the "
          "setting every run starts with).",
          {},
          {},
          {}}},
        {kTraceOn, {}, {}, nullptr, doNothing, {kKeptForOldPrograms, {}, {}, {}}},
        {kTraceOff, {}, {}, nullptr, doNothing, {kKeptForOldPrograms, {}, {}, {}}},
        {kStepOn, {}, {}, nullptr, doNothing, {{}, {}, {}, {}}},
    };
    return descriptors;
}

} // namespace qel
