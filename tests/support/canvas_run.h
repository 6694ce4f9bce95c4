#pragma once
// Runs a test's program into a canvas, as the run-time window would, and ends painting so the test
// can read the pixels.

#include "runtime/draw_target.h"
#include "support/run_fixture.h"

namespace qel::test {

inline Interpreter& startWithCanvas(Session& s, DrawTarget& target)
{
    s.make().setDrawTarget(&target);
    s.in->startRun();
    target.end();
    return *s.in;
}

} // namespace qel::test
