#pragma once
// The built-in functions of Let's function mode.

#include "base/result.h"
#include "values/eval_context.h"

#include <string>
#include <string_view>

namespace qel {

// Cos, Sin, Tan (of degrees), Sqrt, Rand, Int, Fraction and Round of x.
[[nodiscard]] Result<float> numericFunction(EvalContext& ctx, uint32_t code, float x);

// DateFromStr: the day number of a "dd/mm/yyyy" text.
[[nodiscard]] Result<float> dateFromText(std::string_view text);

// DateToStr: the date of a day number as "dd/mm/yyyy".
[[nodiscard]] Result<std::string> dateToText(EvalContext& ctx, float dayNumber);

} // namespace qel
