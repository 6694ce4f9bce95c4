#pragma once
// Runs a test's program into a canvas, as the run-time window would, and ends painting so the test
// can read the pixels.

#include "runtime/draw_target.h"
#include "support/run_fixture.h"

namespace qel::test {

inline Interpreter& startWithCanvas(Session& s, DrawTarget& target)
{
    s.in = std::make_unique<Interpreter>(s.program, s.variables, s.host, dispatchTable());
    s.host.interpreter = s.in.get();
    s.in->setDrawTarget(&target);
    s.in->startRun();
    target.end();
    return *s.in;
}

} // namespace qel::test
