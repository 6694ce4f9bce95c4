#pragma once
// A program built through the editors and run headless, for the tests of the run loop.

#include "instructions/catalogue.h"
#include "interpreter/interpreter.h"
#include "program/system_names.h"
#include "support/program_builder.h"
#include "support/test_run_host.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>

namespace qel::test {

inline std::string runErrorText(std::string_view message) { return "RUN TIME ERROR\n\n" + std::string(message); }

// One program and its run. Tests that need several programs make several sessions.
// OpenForm's User Form of two rows: an edit box starting "Ann" and a list of Red and Blue, its
// replies into Results(1) and Results(2). The OpenForm line itself is the caller's.
inline void declareUserForm(ProgramBuilder& b)
{
    b.add("DeclareVariable", {"Integer", "1D Array", "2", "", "Types", ""})
        .add("DeclareVariable", {"String", "2D Array", "2", "2", "Defaults", ""})
        .add("DeclareVariable", {"String", "1D Array", "2", "", "Prompts", ""})
        .add("DeclareVariable", {"String", "1D Array", "2", "", "Results", ""})
        .add("Let", letFields("Types(1)", "1"))
        .add("Let", letFields("Defaults(1,1)", "\"Ann\""))
        .add("Let", letFields("Defaults(2,1)", "\"Red\""))
        .add("Let", letFields("Defaults(2,2)", "\"Blue\""));
}
inline const std::vector<std::string> kUserFormFields = {"Types", "Defaults", "Prompts", "Results"};

struct Session {
    Program program;
    VariableTable variables;
    TestRunHost host;
    ProgramBuilder build{program, variables};
    std::unique_ptr<Interpreter> in;
    std::string programPath; // where the program is saved (empty: never saved)
    uint64_t memoryLimit = MemoryBudget::kDefaultLimit;

    using Body = std::function<void(ProgramBuilder&)>;

    // The Keyboard and Mouse sections with the system variables and every handler function, each
    // with the body given for it (empty when none).
    void handlers(std::map<std::string, Body> bodies = {})
    {
        auto declare = [&](uint32_t section, std::span<const SystemVariable> vars,
                           std::span<const std::string_view> names) {
            build.section(section);
            for (const SystemVariable& v : vars)
                build.add("DeclareVariable", variableFields(v.isString ? "String" : "Integer", std::string(v.name),
                                                            v.isString ? "\"\"" : "0"));
            for (std::string_view name : names) {
                build.add("DeclareFunction", functionFields(std::string(name)));
                if (auto it = bodies.find(std::string(name)); it != bodies.end())
                    it->second(build);
                build.add("EndFunction");
            }
        };
        declare(kKeyboard, kKeyboardVariables, kKeyboardHandlers);
        declare(kMouse, kMouseVariables, kMouseHandlers);
        build.section(kInitialise);
    }

    // The interpreter, made and not yet started (for a test that sets breakpoints first).
    Interpreter& make(const DispatchTable& table = dispatchTable())
    {
        in = std::make_unique<Interpreter>(program, variables, host, table);
        host.interpreter = in.get();
        in->setProgramPath(programPath);
        in->eval().memory.setLimit(memoryLimit);
        return *in;
    }
    Interpreter& start(bool profiled = false)
    {
        make().startRun(profiled);
        return *in;
    }

    float number(std::string_view name) const
    {
        const VariableRecord* v = variables.findVariable(name);
        EXPECT_NE(v, nullptr) << name;
        return v ? v->numberAt(0) : -12345.0f;
    }
    std::string text(std::string_view name) const
    {
        const VariableRecord* v = variables.findVariable(name);
        return v ? std::string(v->textAt(0)) : "<none>";
    }
    // The messages shown with the error icon.
    std::vector<std::string> errors() const
    {
        std::vector<std::string> out;
        for (const auto& m : host.recorder.messages)
            if (m.icon == Icon::Error)
                out.push_back(m.text);
        return out;
    }
    // Where the run ended with an error: section and line.
    std::pair<uint32_t, int> failedAt() const { return {in->lastEnd().section, static_cast<int>(in->lastEnd().line)}; }
};

struct RunFixture : ::testing::Test, Session {};

} // namespace qel::test
