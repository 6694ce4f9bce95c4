#include "instructions/timer/timer_instructions.h"

#include "instructions/families.h"
#include "instructions/interaction/interaction_editors.h"
#include "instructions/interaction/interaction_instructions.h"
#include "interpreter/line_context.h"
#include "messages/run_errors.h"
#include "runtime/draw_target.h"

#include <algorithm>

namespace qel {

using namespace interaction_block;

namespace {

LineResult executeTimerStart(LineContext& line)
{
    DrawTarget* target = line.drawTarget();
    if (!target)
        return Flow::Next; // no run-time window for the ticks to draw into
    DrawState& state = target->state();
    if (state.timerId != 0)
        return runError(kTimerAlreadyStarted);
    // Intervals outside 1 to 1000 come only from damaged files; the period stays one the window
    // system takes.
    const uint64_t hundredths = line.block().u32(kInterval);
    const uint64_t period = std::clamp<uint64_t>(hundredths * 10, 10, kMaxTimerPeriodMs);
    if (!line.host().startTimer(static_cast<uint32_t>(period)))
        return line.windowsCallFailed(kTimerRefused);
    state.timerId = kProgramTimerId;
    return Flow::Next;
}

LineResult executeTimerStop(LineContext& line)
{
    if (line.drawTarget())
        releaseProgramTimer(line.host(), line.drawTarget()->state());
    return Flow::Next;
}

} // namespace

void releaseProgramTimer(RunHost& host, DrawState& state)
{
    if (state.timerId == 0)
        return;
    host.stopTimer();
    state.timerId = 0;
}

Family timerFamily()
{
    // The timer's editors are the interaction family's.
    static const std::vector<const InstructionEditor*> editors = interactionEditors();
    static const InstructionDescriptor descriptors[] = {
        {kTimerStart,
         {InstructionList::Timer, 1},
         {},
         editorOfType(editors, kTimerStart),
         executeTimerStart,
         {"Starts the program's timer: from now on the Timer section runs at a steady pace until TimerStop.",
          "100ths Of a second: the time between two runs of the Timer section, 1 to 1000.",
          {"50"},
          {}}},
        {kTimerStop,
         {InstructionList::Timer, 2},
         {},
         editorOfType(editors, kTimerStop),
         executeTimerStop,
         {"Stops the program's timer: the Timer section runs no more.", {}, {}, {}}},
    };
    return descriptors;
}

} // namespace qel
