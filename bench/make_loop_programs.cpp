// make_loop_programs DIR [ITERATIONS]: writes the programs of the loop benchmarks, built through the editors as
// the IDE builds them:
//   count.qel  For I = 1 To 10000000 / Let N = N + I / Next             (N Floating Point)
//   call.qel   the same loop calling a function of one parameter:  Call AddOne (I) Into N

#include "interpreter/program_template.h"
#include "program/instruction_table.h"
#include "program/program_file.h"
#include "runtime/editor_registry.h"
#include "values/variable_table.h"

#include <cstdio>
#include <string>
#include <vector>

using namespace qel;

namespace {

class PrintingHost : public MessageHost {
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
        runEditor(*editorFor(type), fields, context, host);
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
    bool save(const std::string& path) { return writeFileAtomically(path, storeProgram(program)); }
};

std::vector<std::string> let(std::string dest, std::string a, std::string op, std::string b)
{
    return {dest, "", a, op, b, "", "", "", "", "", ""};
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: make_loop_programs DIR [ITERATIONS]\n");
        return 2;
    }
    std::string dir = argv[1];
    std::string last = argc > 2 ? argv[2] : "10000000";

    Builder count;
    count.declare("Floating Point", "N").declare("Integer", "I");
    count.add(kFor, {"I", "1", last, ""}).add(kLet, let("N", "N", "+", "I")).add(kNext, {});

    Builder call;
    call.declare("Floating Point", "N").declare("Integer", "I").declare("Floating Point", "X");
    call.add(kFor, {"I", "1", last, ""}).add(kCall, {"AddOne", "N", "I", "", ""}).add(kNext, {});
    call.add(kDeclareFunction, {"AddOne", "X", "", "", "Floating Point"})
        .add(kLet, let("X", "X", "+", "1"))
        .add(kReturn, {"X"})
        .add(kEndFunction, {});

    return count.save(dir + "/count.qel") && call.save(dir + "/call.qel") ? 0 : 1;
}
