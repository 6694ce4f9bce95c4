#include "check/program_check.h"

#include "check/check_texts.h"
#include "interpreter/functions.h"
#include "messages/run_errors.h"
#include "program/keyword_table.h"
#include "program/system_names.h"

#include <algorithm>

namespace qel {

namespace {

// What the run start looks up before any line runs; each missing one would end the run at line 0
// of its section.
void checkSystemNames(const Program& program, const VariableTable& variables, std::vector<Finding>& out)
{
    const auto variable = [&](uint32_t section, std::string_view name) {
        if (!variables.findVariable(name))
            out.emplace_back(section, 0, std::string(msg::kMissingSystemVariable) + std::string(name) + ".");
    };
    const auto handler = [&](uint32_t section, std::string_view name) {
        if (!findFunction(program, name))
            out.emplace_back(section, 0, std::string(name) + std::string(msg::kHandlerMissing));
    };
    for (const SystemVariable& v : kKeyboardVariables)
        variable(kKeyboard, v.name);
    for (std::string_view name : kKeyboardHandlers)
        handler(kKeyboard, name);
    for (const SystemVariable& v : kMouseVariables)
        variable(kMouse, v.name);
    for (std::string_view name : kMouseHandlers)
        handler(kMouse, name);
}

void checkProfile(const Program& program, const LessonProfile& profile, std::vector<Finding>& out)
{
    for (uint32_t s = 0; s < kSectionCount; ++s) {
        const std::vector<bool> outside = linesOutside(profile, program.sections[s]);
        for (uint32_t i = 0; i < outside.size(); ++i)
            if (outside[i])
                out.push_back(
                    ownFinding(s, i,
                               {check_msg::kOutsideProfile,
                                {std::string(keywordTable().keywordName(program.sections[s].lines[i].type))}}));
    }
}

} // namespace

std::vector<Finding> checkProgram(const Program& program, const VariableTable& variables, std::string_view programPath,
                                  const LessonProfile* profile)
{
    std::vector<Finding> out;
    checkSystemNames(program, variables, out);
    checkBlocks(program, out);
    checkOperands(program, variables, programPath, out);
    if (profile)
        checkProfile(program, *profile, out);
    std::stable_sort(out.begin(), out.end(), [](const Finding& a, const Finding& b) {
        return a.section != b.section ? a.section < b.section : a.line < b.line;
    });
    return out;
}

} // namespace qel
