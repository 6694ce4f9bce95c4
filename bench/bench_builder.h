#pragma once
// Builds benchmark programs through the editors, as the IDE builds them, starting from a new program
// with its handler lines.

#include "document/program_template.h"
#include "examples/editor_builder.h"
#include "fileio/file_io.h"
#include "interpreter/run_host.h"
#include "program/instruction_table.h"
#include "program/program_file.h"
#include "values/variable_table.h"

#include <cstdio>
#include <string>
#include <vector>

namespace qel::bench {

// Messages go to stderr; as a run host it serves headless benchmark runs too.
class PrintingHost : public RunHost {
public:
    Button showMessage(std::string_view text, Icon, Buttons buttons) override
    {
        std::fprintf(stderr, "%.*s\n", static_cast<int>(text.size()), text.data());
        return defaultButton(buttons);
    }
};

// A new program with its handler lines, built on through the editors.
struct Builder {
    Program program;
    VariableTable variables;
    PrintingHost host;
    examples::EditorBuilder lines{program, variables, host};

    Builder() { newProgramWithHandlers(program, variables, host); }

    Builder& add(uint32_t type, const std::vector<std::string>& fields)
    {
        lines.add(type, fields);
        return *this;
    }
    Builder& declare(std::string type, std::string name)
    {
        return add(kDeclareVariable, examples::variableFields(std::move(type), std::move(name), "0"));
    }
    // False when a line was refused: the program is not what the caller meant.
    bool save(const std::string& path)
    {
        for (const std::string& refusal : lines.refusals)
            std::fprintf(stderr, "refused: %s\n", refusal.c_str());
        if (!lines.refusals.empty())
            return false;
        const auto bytes = storeProgram(program);
        return bytes && writeFileAtomically(path, *bytes);
    }
};

std::vector<std::string> let(std::string dest, std::string a, std::string op, std::string b)
{
    return {dest, "", a, op, b, "", "", "", "", "", ""};
}

} // namespace qel::bench
