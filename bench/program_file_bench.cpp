// Reading and writing a program of 100,000 lines of mixed instruction types, as the IDE opens and
// saves it (the variable table rebuilt on reading). Peak memory is reported as a counter.

#include "program/block_writer.h"
#include "program/instruction_table.h"
#include "program/program_file.h"
#include "runtime/program_document.h"
#include "values/variable_table.h"

#include <benchmark/benchmark.h>
#include <sys/resource.h>

using namespace qel;

namespace {

class SilentHost : public MessageHost {
public:
    Button showMessage(std::string_view, Icon, Buttons buttons) override { return defaultButton(buttons); }
};

// A block with `slots` operand slots from `base`, each naming a variable, the way editors lay them out.
ParamBlock operandBlock(uint32_t base, uint32_t slots, uint32_t extra, int seed)
{
    BlockWriter w(base - 4 + slots * kOperandSize + extra);
    for (uint32_t j = 0; j < slots; ++j) {
        uint32_t slot = base + j * kOperandSize;
        if ((seed + j) % 3 == 0) {
            w.setF32(slot + 8, static_cast<float>(seed % 640));
            w.setU32(slot + 12, 1);
        } else {
            w.setU32(slot, w.addText("Variable" + std::to_string((seed + j) % 50)));
            w.setU32(slot + 12, 1);
        }
    }
    return w.finish();
}

std::vector<uint8_t> makeProgramFile(size_t lines)
{
    Program program;
    SilentHost host;
    for (size_t i = 0; i < lines - kSectionCount; ++i) {
        int seed = static_cast<int>(i);
        ProgramLine line;
        switch (i % 6) {
        case 0: line = {kLet, "Let Variable1 = Variable2 + 3", operandBlock(8, 4, 0, seed)}; break;
        case 1: line = {kDrawLine, "DrawLine 10,10,Variable3,Variable4 Red", operandBlock(4, 4, 8, seed)}; break;
        case 2: line = {kIf, "If Variable1 > 5 And Variable2 < 3", operandBlock(4, 6, 12, seed)}; break;
        case 3: line = {kComment, "A comment that explains what the next lines do", ParamBlock()}; break;
        case 4: line = {kCall, "Call DrawThing (Variable1, 2)", operandBlock(4, 5, 12, seed)}; break;
        default: line = {kEndIf, "EndIf", ParamBlock()}; break;
        }
        program.sections[i % kSectionCount].lines.push_back(std::move(line));
    }
    return storeProgram(program);
}

const std::vector<uint8_t>& programFile()
{
    static const std::vector<uint8_t> bytes = makeProgramFile(100000);
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
        benchmark::DoNotOptimize(bytes.data());
    }
    reportPeakMemory(state);
}
BENCHMARK(BM_WriteProgram100k)->Unit(benchmark::kMillisecond);

} // namespace
