// Runs arbitrary program files as the IDE would, with a few events, and a bound on the work: every
// path a program can reach must end in one of the run's messages, never in a crash or a hang.

#include "document/program_document.h"
#include "instructions/catalogue.h"
#include "interpreter/interpreter.h"
#include "values/variable_table.h"

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

// Programs open, write and print files: they do it in a folder of the fuzz run's own.
std::string& sandbox()
{
    static std::string folder;
    return folder;
}

class BoundedHost : public qel::RunHost {
public:
    qel::Button showMessage(std::string_view, qel::Icon, qel::Buttons buttons) override
    {
        return qel::defaultButton(buttons);
    }
    void pumpEvents() override { stopWhenTired(); }
    void waitForEvents() override
    {
        if (interpreter && interpreter->isPaused())
            interpreter->continueRun();
        stopWhenTired();
    }
    void stopWhenTired()
    {
        if (++work > 20 && interpreter && interpreter->isRunning())
            interpreter->stopRun();
    }
    qel::Interpreter* interpreter = nullptr;
    int work = 0;
};

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    std::string pattern = "/tmp/qel-fuzz-XXXXXX";
    if (::mkdtemp(pattern.data()) && ::chdir(pattern.c_str()) == 0) {
        sandbox() = pattern;
        std::atexit([] {
            std::error_code ignored;
            std::filesystem::remove_all(sandbox(), ignored);
        });
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    BoundedHost host;
    qel::Program program;
    qel::VariableTable variables;
    if (qel::openProgram(program, variables, std::span(data, size), host).status != qel::ReadStatus::Ok)
        return 0;
    qel::Interpreter in(program, variables, host, qel::dispatchTable());
    in.eval().memory.setLimit(uint64_t{64} << 20); // well inside the fuzzer's own limit
    host.interpreter = &in;
    in.setProgramPath(sandbox() + "/fuzz.qel");
    in.setSeed(1); // Rand as in the run that found an input, so that the input repeats it
    if (size > 0)
        (void)in.debugger().toggleBreakpoint(data[0] % 5, data[size - 1] % 8);
    in.startRun(size % 2 == 1);
    in.keyDownEvent(65);
    in.charEvent('a');
    in.mouseEvent(1 + static_cast<int>(size % 5), 10, 20, true, false);
    in.timerEvent();
    in.paintEvent();
    in.formRequest("qelOnMove");
    if (in.isRunning())
        in.stopRun();
    return 0;
}
