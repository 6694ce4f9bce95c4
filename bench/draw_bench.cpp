// Drawing speed of a headless run: 100,000 DrawLine lines of length 100 (each 60 across and 80 down),
// and a DrawFill of a whole 600 x 400 window.

#include "bench/bench_builder.h"
#include "instructions/catalogue.h"
#include "interpreter/interpreter.h"
#include "interpreter/line_context.h"
#include "runtime/run_canvas.h"

#include <benchmark/benchmark.h>

using namespace qel;
using namespace qel::bench;

namespace {

void runInitialise(Builder& program, RunCanvas& canvas)
{
    PrintingHost host;
    Interpreter in(program.program, program.variables, host, dispatchTable());
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
    // Only the one line runs, as the loop runs it: no window paint, no run set-up.
    RunState run(fill->program, fill->variables, host, dispatchTable());
    run.drawTarget = &canvas.target();
    if (prepareLines(run))
        state.SkipWithError("the program does not prepare");
    const LineCursor fillLine{kInitialise, static_cast<uint32_t>(fill->program.sections[kInitialise].lineCount() - 1)};
    for (auto _ : state) {
        state.PauseTiming();
        canvas.target().painter().fillRect(0, 0, 600, 400, Qt::white);
        run.cursors[kInitialise] = fillLine;
        LineContext line(run, kInitialise);
        state.ResumeTiming();
        if (!run.runAt(fillLine).handler(line).ok())
            state.SkipWithError("the fill failed");
        canvas.image();
    }
    if (canvas.image().pixel(599, 399) != qRgb(0, 0, 128))
        state.SkipWithError("the fill did not reach the corner");
}
BENCHMARK(BM_DrawFill600x400)->Unit(benchmark::kMillisecond);

} // namespace
