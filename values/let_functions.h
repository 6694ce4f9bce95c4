#pragma once
// The built-in functions of Let's function mode.

#include "values/eval_context.h"

#include <string>
#include <string_view>

namespace qel {

// Cos, Sin, Tan (of degrees), Sqrt, Rand, Int, Fraction and Round of x.
bool numericFunction(EvalContext& ctx, uint32_t code, float x, float& out);

// DateFromStr: the day number of a "dd/mm/yyyy" text.
bool dateFromText(EvalContext& ctx, std::string_view text, float& out);

// DateToStr: the date of a day number as "dd/mm/yyyy".
bool dateToText(EvalContext& ctx, float dayNumber, std::string& out);

} // namespace qel
