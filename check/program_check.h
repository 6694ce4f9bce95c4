#pragma once
// The check of a program: what a run would fail on for a reason visible in its text, found without
// running it. A reference to an undeclared variable or function, a reference whose subscripts do
// not fit its variable, a call with the wrong arguments, a block that does not match, a system
// variable or handler function the run start looks for in vain, a file name constant naming no
// file beside the program, and (given a lesson profile) the lines whose instruction the lesson does
// not allow. Each finding carries the text the run would show, without its header.

#include "base/notice.h"
#include "check/lesson_profile.h"
#include "program/program.h"
#include "values/variable_table.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace qel {

struct Finding {
    Finding() = default;
    Finding(uint32_t s, uint32_t l, std::string m, Notice o = {})
        : section(s), line(l), message(std::move(m)), own(std::move(o))
    {}

    uint32_t section = 0;
    uint32_t line = 0;   // index within the section, as a run's end names it
    std::string message; // in English, as qeltool prints it
    // The check's own words, for the environment to show translated; no text where the message is
    // the run's own, which stays as the run shows it.
    Notice own;
    // The same finding: the same place and words (the own words follow from them).
    bool operator==(const Finding& o) const { return section == o.section && line == o.line && message == o.message; }
};

// A finding in the check's own words.
inline Finding ownFinding(uint32_t section, uint32_t line, Notice notice)
{
    std::string message = noticeText(notice);
    return {section, line, std::move(message), std::move(notice)};
}

// Every finding, in section and line order. programPath is where the program is saved (a system
// file name; empty: never saved, its files are looked for in the current directory).
std::vector<Finding> checkProgram(const Program& program, const VariableTable& variables, std::string_view programPath,
                                  const LessonProfile* profile = nullptr);

// The parts of the check, each adding its findings.
void checkBlocks(const Program& program, std::vector<Finding>& out);
void checkOperands(const Program& program, const VariableTable& variables, std::string_view programPath,
                   std::vector<Finding>& out);

} // namespace qel
