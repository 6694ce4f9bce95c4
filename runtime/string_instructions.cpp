#include "runtime/string_instructions.h"

#include "interpreter/interpreter.h"
#include "values/evaluate.h"
#include "values/number_text.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace qel {

using namespace string_block;

namespace {

constexpr double kSmallestInteger = -2147483648.0;
constexpr double kLargestInteger = 2147483647.0;
// OperandKind's codes of declared variables are their VariableTypes.
constexpr int kKindInteger = kTypeInteger;
constexpr int kKindFloat = kTypeFloat;
constexpr int kKindString = kTypeString;

Outcome outcome(bool ok) { return ok ? Outcome::Next : Outcome::Fail; }

CachedOperand& operandAt(std::span<CachedOperand> operands, uint32_t offset) { return operands[slotIndex(offset)]; }

// The common checks. A literal passes them: the evaluator or store that meets it has its own message.
bool checkDeclared(EvalContext& ctx, CachedOperand& op, int& kind)
{
    kind = operandKind(ctx, op);
    return kind != kKindUndeclared || ctx.runError(kReferenceToUndeclared, op.operand.name);
}

bool checkString(EvalContext& ctx, CachedOperand& op, std::string_view wrongType = kExpectingStringVariable)
{
    int kind = 0;
    if (!checkDeclared(ctx, op, kind))
        return false;
    const bool variable = kind < kKindUndeclared;
    return !variable || kind == kKindString || ctx.runError(wrongType, op.operand.name);
}

bool checkNumeric(EvalContext& ctx, CachedOperand& op)
{
    int kind = 0;
    if (!checkDeclared(ctx, op, kind))
        return false;
    const bool variable = kind < kKindUndeclared;
    return !variable || kind == kKindInteger || kind == kKindFloat ||
           ctx.runError(kExpectingNumericVariable, op.operand.name);
}

// A text's length up to its terminating zero.
size_t textLength(std::string_view text) { return std::min(text.find('\0'), text.size()); }

// The longest decimal number at the start of the text after blanks, as strtod reads it in the C
// locale, but without its hexadecimal, infinity and NaN forms; 0 when there is none.
double leadingNumber(std::string_view text)
{
    size_t i = text.find_first_not_of(" \t\n\v\f\r");
    if (i == std::string_view::npos)
        return 0.0;
    bool negative = false;
    if (text[i] == '+' || text[i] == '-')
        negative = text[i++] == '-';
    const std::string_view rest = text.substr(i);
    if (rest.empty() || !((rest[0] >= '0' && rest[0] <= '9') || rest[0] == '.'))
        return 0.0;
    double value = 0.0;
    auto r = std::from_chars(rest.data(), rest.data() + rest.size(), value, std::chars_format::general);
    if (r.ec == std::errc::invalid_argument)
        return 0.0;
    if (r.ec == std::errc::result_out_of_range)
        value = leadingDecimalValue(rest); // an infinity or 0, whichever way the range was left
    return negative ? -value : value;
}

float toFloat(double value)
{
    constexpr double kLargest = std::numeric_limits<float>::max();
    constexpr float kInfinity = std::numeric_limits<float>::infinity();
    if (std::abs(value) > kLargest)
        return value > 0.0 ? kInfinity : -kInfinity;
    return static_cast<float>(value);
}

Outcome stringLength(Interpreter& in, uint32_t s)
{
    auto operands = in.operandsAt(in.cursor(s));
    CachedOperand& text = operandAt(operands, kFirst);
    CachedOperand& length = operandAt(operands, kSecond);
    std::string_view value;
    if (!checkString(in.eval, text) || !checkNumeric(in.eval, length) || !evalString(in.eval, text, value))
        return Outcome::Fail;
    return outcome(storeNumber(in.eval, static_cast<float>(textLength(value)), length));
}

Outcome stringToNumeric(Interpreter& in, uint32_t s)
{
    auto operands = in.operandsAt(in.cursor(s));
    CachedOperand& text = operandAt(operands, kFirst);
    CachedOperand& target = operandAt(operands, kSecond);
    std::string_view value;
    if (!checkString(in.eval, text) || !checkNumeric(in.eval, target) || !evalString(in.eval, text, value))
        return Outcome::Fail;
    const double number = leadingNumber(value);
    float stored = toFloat(number);
    if (operandKind(in.eval, target) == kKindInteger) {
        if (number < kSmallestInteger || number > kLargestInteger)
            return outcome(rangeError(in.eval, stored, target.operand.name));
        // The float nearest 2147483647 is 2^31, which would wrap to -2^31 when stored.
        stored = std::min(stored, std::nextafter(2147483648.0f, 0.0f));
    }
    return outcome(storeNumber(in.eval, stored, target));
}

Outcome stringFromNumeric(Interpreter& in, uint32_t s)
{
    auto operands = in.operandsAt(in.cursor(s));
    CachedOperand& text = operandAt(operands, kFirst);
    CachedOperand& number = operandAt(operands, kSecond);
    float value = 0.0f;
    if (!checkString(in.eval, text) || !checkNumeric(in.eval, number) || !evalNumber(in.eval, number, value))
        return Outcome::Fail;
    VariableRecord* variable = nullptr;
    size_t element = 0;
    if (operandKind(in.eval, number, &variable) == kKindInteger &&
        resolveElement(in.eval, number, *variable, element)) {
        // An Integer's own digits: its value as a float may have lost some.
        char digits[16];
        auto r = std::to_chars(digits, digits + sizeof digits, variable->integerAt(element));
        return outcome(storeText(in.eval, std::string_view(digits, r.ptr - digits), {}, {}, text));
    }
    return outcome(storeText(in.eval, in.eval.formatNumber(value), {}, {}, text));
}

Outcome stringPart(Interpreter& in, uint32_t s)
{
    auto operands = in.operandsAt(in.cursor(s));
    CachedOperand& source = operandAt(operands, kSource);
    CachedOperand& destination = operandAt(operands, kDestination);
    CachedOperand& start = operandAt(operands, kStart);
    CachedOperand& end = operandAt(operands, kEnd);
    if (!checkString(in.eval, source) || !checkString(in.eval, destination) || !checkNumeric(in.eval, start) ||
        !checkNumeric(in.eval, end))
        return Outcome::Fail;
    std::string_view text;
    float startValue = 0.0f;
    float endValue = 0.0f;
    if (!evalString(in.eval, source, text) || !evalNumber(in.eval, start, startValue) ||
        !evalNumber(in.eval, end, endValue))
        return Outcome::Fail;

    // Positions from 1 become indexes from 0; a start before the text starts at its beginning.
    const double length = static_cast<double>(textLength(text));
    double first = static_cast<double>(startValue) - 1.0;
    double last = static_cast<double>(endValue) - 1.0;
    if (first < 0.0 || std::isnan(first))
        first = 0.0;
    if (first >= length)
        return outcome(storeText(in.eval, {}, {}, {}, destination));
    if (!(last >= first)) // an end that is not a number is refused too
        return in.fail(kEndBeforeStart);
    if (last >= length)
        last = length - 1.0;
    const auto from = static_cast<size_t>(first);
    const auto to = static_cast<size_t>(last);
    return outcome(storeText(in.eval, text.substr(from, to - from + 1), {}, {}, destination));
}

Outcome getTimeAndDate(Interpreter& in, uint32_t s) { return getTimeAndDateAt(in, s, std::time(nullptr)); }

} // namespace

Outcome getTimeAndDateAt(Interpreter& in, uint32_t s, std::time_t now)
{
    auto operands = in.operandsAt(in.cursor(s));
    CachedOperand& time = operandAt(operands, kFirst);
    CachedOperand& date = operandAt(operands, kSecond);
    if (!checkString(in.eval, time, kExpectingStringNotNonString) ||
        !checkString(in.eval, date, kExpectingStringNotNonString))
        return Outcome::Fail;
    std::tm local{};
    if (!localtime_r(&now, &local))
        return outcome(in.eval.internalError(kNoLocalTime));
    char timeText[32];
    char dateText[32];
    const size_t timeLength = std::strftime(timeText, sizeof timeText, "%H:%M:%S", &local);
    const size_t dateLength = std::strftime(dateText, sizeof dateText, "%d/%m/%Y", &local);
    if (!storeText(in.eval, std::string_view(timeText, timeLength), {}, {}, time))
        return Outcome::Fail;
    return outcome(storeText(in.eval, std::string_view(dateText, dateLength), {}, {}, date));
}

void registerStringHandlers(DispatchTable& table)
{
    table.set(kStringLength, stringLength);
    table.set(kStringToNumeric, stringToNumeric);
    table.set(kStringFromNumeric, stringFromNumeric);
    table.set(kStringPart, stringPart);
    table.set(kGetTimeAndDate, getTimeAndDate);
}

} // namespace qel
