#pragma once
// Builds benchmark programs through the editors, as the IDE builds them, starting from a new program
// with its handler lines.

#include "document/program_template.h"
#include "fileio/file_io.h"
#include "instructions/catalogue.h"
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

struct Builder {
    Program program;
    VariableTable variables;
    PrintingHost host;
    bool refused = false; // an editor refused a line: the program is not what the caller meant

    Builder() { newProgramWithHandlers(program, variables, host); }

    Builder& add(uint32_t type, std::vector<std::string> fields)
    {
        program.edit.target = -1;
        const InstructionInfo* info = instructionInfo(type);
        if (!info->fixedText.empty()) {
            storeThroughEditBuffer(program, {type, std::string(info->fixedText), ParamBlock()}, host);
            return *this;
        }
        EditContext context{program, variables, nullptr};
        if (const auto error = runEditor(*editorFor(type), fields, context, host)) {
            std::fprintf(stderr, "line of type %u refused at field %d: %s\n", type, error->field,
                         error->message.c_str());
            refused = true;
        }
        return *this;
    }
    Builder& declare(std::string type, std::string name)
    {
        std::vector<std::string> fields(12);
        fields[0] = type;
        fields[1] = "Not an Array";
        fields[4] = name;
        fields[5] = "0";
        return add(kDeclareVariable, fields);
    }
    bool save(const std::string& path)
    {
        if (refused)
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
