// Drawing speed of a headless run: 100,000 DrawLine lines of length 100 (each 60 across and 80 down),
// and a DrawFill of a whole 600 x 400 window.

#include "bench/bench_builder.h"
#include "interpreter/interpreter.h"
#include "runtime/dispatch_setup.h"
#include "runtime/run_canvas.h"

#include <benchmark/benchmark.h>

using namespace qel;
using namespace qel::bench;

namespace {

void runInitialise(Builder& program, RunCanvas& canvas)
{
    PrintingHost host;
    Interpreter in(program.program, program.variables, host, fullDispatchTable());
    canvas.attach(in);
    in.startRun();
    if (in.isRunning())
        in.stopRun();
    canvas.image(); // painting ends: every pixel is in the image
}

void BM_DrawLine100k(benchmark::State& state)
{
    static Builder* lines = [] {
        auto* b = new Builder;
        for (int k = 0; k < 100000; ++k)
            b->add(kDrawLine, {std::to_string(k % 500), std::to_string(k % 300), "60", "80", "1", "Red", ""});
        return b;
    }();
    RunCanvas canvas;
    for (auto _ : state)
        runInitialise(*lines, canvas);
}
BENCHMARK(BM_DrawLine100k)->Unit(benchmark::kMillisecond);

void BM_DrawFill600x400(benchmark::State& state)
{
    static Builder* fill = [] {
        auto* b = new Builder;
        b->add(kDrawFill, {"300", "200", "Blue"});
        return b;
    }();
    RunCanvas canvas(QSize(600, 400));
    PrintingHost host;
    Interpreter in(fill->program, fill->variables, host, fullDispatchTable());
    canvas.attach(in);
    if (in.prepareLines())
        state.SkipWithError("the program does not prepare");
    for (auto _ : state) {
        state.PauseTiming();
        canvas.target().painter().fillRect(0, 0, 600, 400, Qt::white);
        in.runState = 1; // only the one line runs: no window paint, no run set-up
        state.ResumeTiming();
        in.runSection(kInitialise, true);
        canvas.image();
    }
    if (canvas.image().pixel(599, 399) != qRgb(0, 0, 128))
        state.SkipWithError("the fill did not reach the corner");
}
BENCHMARK(BM_DrawFill600x400)->Unit(benchmark::kMillisecond);

} // namespace
