// Reading and writing a program of 100,000 lines of mixed instruction types, as the IDE opens and
// saves it (the variable table rebuilt on reading). Peak memory is reported as a counter.

#include "bench/program_generator.h"
#include "document/program_document.h"
#include "program/program_file.h"
#include "values/variable_table.h"

#include <benchmark/benchmark.h>
#include <sys/resource.h>

using namespace qel;

namespace {

class SilentHost : public MessageHost {
public:
    Button showMessage(std::string_view, Icon, Buttons buttons) override { return defaultButton(buttons); }
};

const std::vector<uint8_t>& programFile()
{
    static const std::vector<uint8_t> bytes = bench::makeProgramFile(100000);
    return bytes;
}

void reportPeakMemory(benchmark::State& state)
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_MB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void BM_ReadProgram100k(benchmark::State& state)
{
    const auto& bytes = programFile();
    Program program;
    VariableTable variables;
    SilentHost host;
    for (auto _ : state) {
        LoadResult r = openProgram(program, variables, bytes, host);
        benchmark::DoNotOptimize(r);
    }
    state.counters["lines"] = static_cast<double>(program.totalLines());
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
    reportPeakMemory(state);
}
BENCHMARK(BM_ReadProgram100k)->Unit(benchmark::kMillisecond);

void BM_WriteProgram100k(benchmark::State& state)
{
    Program program;
    VariableTable variables;
    SilentHost host;
    openProgram(program, variables, programFile(), host);
    for (auto _ : state) {
        auto bytes = storeProgram(program);
        benchmark::DoNotOptimize(bytes->data());
    }
    reportPeakMemory(state);
}
BENCHMARK(BM_WriteProgram100k)->Unit(benchmark::kMillisecond);

} // namespace
