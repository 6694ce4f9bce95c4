#pragma once
// What the evaluators work with during a run: the variables, the display precision, the ring of
// number texts and the run-time error text. One EvalContext belongs to the run state; nothing here
// is global.

#include "values/number_text.h"
#include "values/variable_table.h"

#include <array>
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

class EvalContext {
public:
    explicit EvalContext(VariableTable& table) : variables(table) {}

    VariableTable& variables;
    // Digits for FormatNumber: 4 while a run starts, the general form (69) when no program runs.
    uint32_t displayPrecision = kGeneralPrecision;
    NumberTextRing numberTexts;
    // RunErrorText: the message of the current run-time error, empty when none.
    std::string runErrorText;
    // Where StoreText assembles a new text; its buffer is recycled from store to store.
    std::string scratch;

    // RunErrorText := "RUN TIME ERROR\n\n" + message + detail. Always false, for `return ctx.runError(...)`.
    bool runError(std::string_view message, std::string_view detail = {});
    // RunErrorText := "Internal Error - Please report\n\n" + message + detail. Always false.
    bool internalError(std::string_view message, std::string_view detail = {});

    std::string_view formatNumber(float value) { return numberTexts.format(value, displayPrecision); }
};

} // namespace qel
