#include "instructions/strings/string_instructions.h"

#include "interpreter/line_context.h"
#include "messages/run_errors.h"
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

CachedOperand& operandAt(std::span<CachedOperand> operands, uint32_t offset) { return operands[slotIndex(offset)]; }

// The common checks. A literal passes them: the evaluator or store that meets it has its own message.
Result<int> checkDeclared(EvalContext& ctx, CachedOperand& op)
{
    const int kind = operandKind(ctx, op);
    if (kind == kKindUndeclared)
        return runError(msg::kUndeclaredReference, op.operand.name);
    return kind;
}

Status checkString(EvalContext& ctx, CachedOperand& op, std::string_view wrongType = msg::kExpectingStringFoundVariable)
{
    const int kind = TRY(checkDeclared(ctx, op));
    const bool variable = kind < kKindUndeclared;
    if (variable && kind != kKindString)
        return runError(wrongType, op.operand.name);
    return success();
}

Status checkNumeric(EvalContext& ctx, CachedOperand& op)
{
    const int kind = TRY(checkDeclared(ctx, op));
    const bool variable = kind < kKindUndeclared;
    if (variable && kind != kKindInteger && kind != kKindFloat)
        return runError(msg::kExpectingNumericFoundVariable, op.operand.name);
    return success();
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

} // namespace

LineResult stringLength(LineContext& line)
{
    EvalContext& ctx = line.eval();
    CachedOperand& text = operandAt(line.operands(), kFirst);
    CachedOperand& length = operandAt(line.operands(), kSecond);
    TRY(checkString(ctx, text));
    TRY(checkNumeric(ctx, length));
    const std::string_view value = TRY(evalString(ctx, text));
    TRY(storeNumber(ctx, static_cast<float>(textLength(value)), length));
    return Flow::Next;
}

LineResult stringToNumeric(LineContext& line)
{
    EvalContext& ctx = line.eval();
    CachedOperand& text = operandAt(line.operands(), kFirst);
    CachedOperand& target = operandAt(line.operands(), kSecond);
    TRY(checkString(ctx, text));
    TRY(checkNumeric(ctx, target));
    const std::string_view value = TRY(evalString(ctx, text));
    const double number = leadingNumber(value);
    const float stored = toFloat(number);
    // The text's own value is checked; the float stored may round to 2^31, which an Integer takes
    // as 2147483647.
    if (operandKind(ctx, target) == kKindInteger && (number < kSmallestInteger || number > kLargestInteger))
        return rangeError(ctx, stored, target.operand.name);
    TRY(storeNumber(ctx, stored, target));
    return Flow::Next;
}

LineResult stringFromNumeric(LineContext& line)
{
    EvalContext& ctx = line.eval();
    CachedOperand& text = operandAt(line.operands(), kFirst);
    CachedOperand& number = operandAt(line.operands(), kSecond);
    TRY(checkString(ctx, text));
    TRY(checkNumeric(ctx, number));
    const float value = TRY(evalNumber(ctx, number));
    VariableRecord* variable = nullptr;
    if (operandKind(ctx, number, &variable) == kKindInteger) {
        if (Result<size_t> element = resolveElement(ctx, number, *variable)) {
            // An Integer's own digits: its value as a float may have lost some.
            char digits[16];
            auto r = std::to_chars(digits, digits + sizeof digits, variable->integerAt(*element));
            TRY(storeText(ctx, std::string_view(digits, r.ptr - digits), {}, {}, text));
            return Flow::Next;
        }
    }
    TRY(storeText(ctx, ctx.formatNumber(value), {}, {}, text));
    return Flow::Next;
}

LineResult stringPart(LineContext& line)
{
    EvalContext& ctx = line.eval();
    auto operands = line.operands();
    CachedOperand& source = operandAt(operands, kSource);
    CachedOperand& destination = operandAt(operands, kDestination);
    CachedOperand& start = operandAt(operands, kStart);
    CachedOperand& end = operandAt(operands, kEnd);
    TRY(checkString(ctx, source));
    TRY(checkString(ctx, destination));
    TRY(checkNumeric(ctx, start));
    TRY(checkNumeric(ctx, end));
    const std::string_view text = TRY(evalString(ctx, source));
    const float startValue = TRY(evalNumber(ctx, start));
    const float endValue = TRY(evalNumber(ctx, end));

    // Positions from 1 become indexes from 0; a start before the text starts at its beginning.
    const double length = static_cast<double>(textLength(text));
    double first = static_cast<double>(startValue) - 1.0;
    double last = static_cast<double>(endValue) - 1.0;
    if (first < 0.0 || std::isnan(first))
        first = 0.0;
    if (first >= length) {
        TRY(storeText(ctx, {}, {}, {}, destination));
        return Flow::Next;
    }
    if (!(last >= first)) // an end that is not a number is refused too
        return runError(kEndBeforeStart);
    if (last >= length)
        last = length - 1.0;
    const auto from = static_cast<size_t>(first);
    const auto to = static_cast<size_t>(last);
    TRY(storeText(ctx, text.substr(from, to - from + 1), {}, {}, destination));
    return Flow::Next;
}

LineResult getTimeAndDate(LineContext& line) { return getTimeAndDateAt(line, std::time(nullptr)); }

LineResult getTimeAndDateAt(LineContext& line, std::time_t now)
{
    EvalContext& ctx = line.eval();
    CachedOperand& time = operandAt(line.operands(), kFirst);
    CachedOperand& date = operandAt(line.operands(), kSecond);
    TRY(checkString(ctx, time, msg::kExpectingStringFoundNonString));
    TRY(checkString(ctx, date, msg::kExpectingStringFoundNonString));
    std::tm local{};
    if (!localtime_r(&now, &local))
        return internalError(kNoLocalTime);
    char timeText[32];
    char dateText[32];
    const size_t timeLength = std::strftime(timeText, sizeof timeText, "%H:%M:%S", &local);
    const size_t dateLength = std::strftime(dateText, sizeof dateText, "%d/%m/%Y", &local);
    TRY(storeText(ctx, std::string_view(timeText, timeLength), {}, {}, time));
    TRY(storeText(ctx, std::string_view(dateText, dateLength), {}, {}, date));
    return Flow::Next;
}

} // namespace qel
