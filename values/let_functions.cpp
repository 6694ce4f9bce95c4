#include "values/let_functions.h"

#include "values/dates.h"
#include "values/expression_messages.h"
#include "values/let.h"

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

bool numericFunction(EvalContext& ctx, uint32_t code, float x, float& out)
{
    const double radians = static_cast<double>(x) * kRadiansPerDegree;
    switch (code) {
    case kCos: out = static_cast<float>(std::cos(radians)); return true;
    case kSin: out = static_cast<float>(std::sin(radians)); return true;
    case kTan: out = static_cast<float>(std::tan(radians)); return true;
    case kSqrt: out = std::sqrt(x); return true;
    case kRand: out = randomValue(ctx, x); return true;
    case kInt: out = std::trunc(x); return true;
    case kFraction: out = x - std::trunc(x); return true;
    case kRound: out = std::round(x); return true; // halves away from zero
    default: return ctx.internalError(msg::kUnmanagedFunction);
    }
}

bool dateFromText(EvalContext& ctx, std::string_view text, float& out)
{
    const std::optional<CalendarDate> date = readDateText(text);
    if (!date)
        return ctx.runError(msg::kDateFormat, text);
    const std::optional<int32_t> day = dayNumber(*date);
    if (!day)
        return ctx.runError(msg::kNotADate, text);
    out = static_cast<float>(*day);
    return true;
}

bool dateToText(EvalContext& ctx, float dayNumber, std::string& out)
{
    const std::optional<CalendarDate> date = dateOfDayNumber(dayNumber);
    if (!date)
        return ctx.runError(msg::kNotADate, ctx.formatNumber(dayNumber));
    out = formatDate(*date);
    return true;
}

} // namespace qel
