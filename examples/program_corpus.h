#pragma once
// A corpus of generated programs for checks that must hold for every program the editors build
// (the text form's round trip, the fuzzers' seeds): each program declares a set of variables, then
// holds lines of every instruction in every section, each field given at random one of its forms
// (a literal, a variable, an array element, empty, or an item of its list), built through the
// editors so that only what a dialog would take is kept.

#include "program/host.h"
#include "program/program.h"
#include "values/variable_table.h"

#include <array>
#include <cstdint>
#include <set>

namespace qel::examples {

enum class FieldForm : uint8_t { Literal, Variable, Element, Empty };
inline constexpr size_t kFieldFormCount = 4;

// What the lines the editors took held, over every program built.
struct CorpusCoverage {
    std::set<uint32_t> types;                    // the type codes of the lines taken
    std::array<size_t, kFieldFormCount> forms{}; // how many fields of each form they held
};

// Whether the corpus holds lines of the type: every instruction with an editor or a fixed text,
// except TraceOn and TraceOff, which no program file keeps.
bool buildsLines(uint32_t type);

// Builds program number `index` of the corpus (the same program for the same index) in `program`,
// a new one, adding what it held to `coverage`.
void buildCorpusProgram(uint32_t index, Program& program, VariableTable& variables, MessageHost& host,
                        CorpusCoverage& coverage);

} // namespace qel::examples
