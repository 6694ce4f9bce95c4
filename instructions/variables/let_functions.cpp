#include "instructions/variables/let_functions.h"

#include "instructions/variables/let.h"
#include "instructions/variables/let_texts.h"
#include "messages/run_errors.h"
#include "values/dates.h"

#include <cmath>

namespace qel {

namespace {

// Rand(0): a fraction 0 to 1. Rand(x): a whole number 0 to x, the fraction scaled to x + 1 and cut
// back to x when the generator gives its largest value.
float randomValue(EvalContext& ctx, float x)
{
    const float r = static_cast<float>(ctx.random.next()) / static_cast<float>(RandomGenerator::kLargest);
    if (x == 0.0f)
        return r;
    const float scaled = std::trunc(r * (x + 1.0f));
    return scaled > x ? x : scaled;
}

} // namespace

Result<float> numericFunction(EvalContext& ctx, uint32_t code, float x)
{
    const double radians = static_cast<double>(x) * kRadiansPerDegree;
    switch (code) {
    case kCos: return static_cast<float>(std::cos(radians));
    case kSin: return static_cast<float>(std::sin(radians));
    case kTan: return static_cast<float>(std::tan(radians));
    case kSqrt: return std::sqrt(x);
    case kRand: return randomValue(ctx, x);
    case kInt: return std::trunc(x);
    case kFraction: return x - std::trunc(x);
    case kRound: return std::round(x); // halves away from zero
    default: return internalError(msg::kUnmanagedFunction);
    }
}

Result<float> dateFromText(std::string_view text)
{
    const std::optional<CalendarDate> date = readDateText(text);
    if (!date)
        return runError(msg::kDateFormat, text);
    const std::optional<int32_t> day = dayNumber(*date);
    if (!day)
        return runError(msg::kNotADate, text);
    return static_cast<float>(*day);
}

Result<std::string> dateToText(EvalContext& ctx, float dayNumber)
{
    const std::optional<CalendarDate> date = dateOfDayNumber(dayNumber);
    if (!date)
        return runError(msg::kNotADate, ctx.formatNumber(dayNumber));
    return formatDate(*date);
}

} // namespace qel
