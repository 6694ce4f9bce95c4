#pragma once
// The program's timer: TimerStart and TimerStop (layouts and texts in
// instructions/interaction/interaction_instructions.h, beside the editors they share). The timer
// is a host timer; its id lives in the window's drawing state (0: none), so the family draws on
// the run-time canvas.

namespace qel {

class RunHost;
struct DrawState;

// The program's timer is killed and its id cleared, if it runs (TimerStop, and the run's end).
void releaseProgramTimer(RunHost& host, DrawState& state);

} // namespace qel
