#pragma once
// What the evaluators work with during a run: the variables, the display precision, the ring of
// number texts. One EvalContext belongs to the run state; nothing here
// is global.

#include "values/memory_budget.h"
#include "values/number_text.h"
#include "values/random_generator.h"
#include "values/variable_table.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace qel {

// Ten text slots used in rotation for numbers turned into text while evaluating, so a converted
// text stays valid until ten further conversions have happened.
class NumberTextRing {
public:
    static constexpr size_t kSlots = 10;
    std::string_view format(float value, uint32_t precision);

private:
    std::array<std::array<char, kNumberTextCapacity>, kSlots> slots_{};
    size_t next_ = 0;
};

// Whether the open file behind a File variable's handle is at its end; nothing when the handle
// names no open file. The text-file instructions provide it; without it no file is ever open.
using AtEndOfFile = std::function<std::optional<bool>(uint32_t handle)>;

class EvalContext {
public:
    // The random generator is seeded here from the clock; a run seeds it again as it starts.
    explicit EvalContext(VariableTable& table);

    VariableTable& variables;
    // Digits for FormatNumber: 4 while a run starts, the general form (69) when no program runs.
    uint32_t displayPrecision = kGeneralPrecision;
    NumberTextRing numberTexts;
    // The six relational comparisons of texts: byte by byte when set, otherwise ignoring ASCII letter
    // case. Clear at every run start; OptionCaseSensitive sets it.
    bool caseSensitive = false;
    // Rand's generator; the interpreter seeds it at every run start.
    RandomGenerator random;
    // .AtEndOfFile asks the run's open files through this.
    AtEndOfFile atEndOfFile;
    // Where StoreText assembles a new text; a small buffer is recycled from store to store.
    std::string scratch;
    // What the run's strings, arrays and bitmaps may hold.
    MemoryBudget memory;

    std::string_view formatNumber(float value) { return numberTexts.format(value, displayPrecision); }
};

} // namespace qel
