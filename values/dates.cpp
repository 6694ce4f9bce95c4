#include "values/dates.h"

#include <array>
#include <cmath>

namespace qel {

namespace {

bool isLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int daysInMonth(int month, int year)
{
    constexpr std::array<int, 12> kDays = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeapYear(year) ? 29 : kDays[static_cast<size_t>(month - 1)];
}

// Days from 1 March of year 0 in the proleptic Gregorian calendar (the civil-day algorithm that
// counts years from March, so the leap day ends a year).
constexpr int64_t civilDays(int year, int month, int day)
{
    const int64_t y = month <= 2 ? year - 1 : year;
    const int64_t era = y / 400; // years are positive here
    const int64_t yearOfEra = y - era * 400;
    const int64_t dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra;
}

constexpr int64_t kEpoch = civilDays(1899, 12, 30);

CalendarDate civilDate(int64_t days)
{
    const int64_t era = days / 146097;
    const int64_t dayOfEra = days - era * 146097;
    const int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int64_t monthIndex = (5 * dayOfYear + 2) / 153; // 0 = March
    const int day = static_cast<int>(dayOfYear - (153 * monthIndex + 2) / 5 + 1);
    const int month = static_cast<int>(monthIndex < 10 ? monthIndex + 3 : monthIndex - 9);
    const int year = static_cast<int>(yearOfEra + era * 400 + (month <= 2 ? 1 : 0));
    return {day, month, year};
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

int digitsValue(std::string_view digits)
{
    int value = 0;
    for (char c : digits)
        value = value * 10 + (c - '0');
    return value;
}

void appendDigits(std::string& out, int value, int width)
{
    std::string digits = std::to_string(value);
    if (digits.size() < static_cast<size_t>(width))
        out.append(static_cast<size_t>(width) - digits.size(), '0');
    out += digits;
}

} // namespace

bool isValidDate(const CalendarDate& d)
{
    return d.year >= kFirstYear && d.year <= kLastYear && d.month >= 1 && d.month <= 12 && d.day >= 1 &&
           d.day <= daysInMonth(d.month, d.year);
}

std::optional<int32_t> dayNumber(const CalendarDate& d)
{
    if (!isValidDate(d))
        return std::nullopt;
    return static_cast<int32_t>(civilDays(d.year, d.month, d.day) - kEpoch);
}

std::optional<CalendarDate> dateOfDayNumber(double number)
{
    constexpr double kFirst = static_cast<double>(civilDays(kFirstYear, 1, 1) - kEpoch);
    constexpr double kLast = static_cast<double>(civilDays(kLastYear, 12, 31) - kEpoch);
    if (!std::isfinite(number))
        return std::nullopt;
    const double days = std::trunc(number);
    if (days < kFirst || days > kLast)
        return std::nullopt;
    return civilDate(static_cast<int64_t>(days) + kEpoch);
}

std::string formatDate(const CalendarDate& d)
{
    std::string text;
    appendDigits(text, d.day, 2);
    text += '/';
    appendDigits(text, d.month, 2);
    text += '/';
    appendDigits(text, d.year, 4);
    return text;
}

std::optional<CalendarDate> readDateText(std::string_view text)
{
    constexpr std::array<size_t, 8> kDigitPositions = {0, 1, 3, 4, 6, 7, 8, 9};
    if (text.size() != 10)
        return std::nullopt;
    for (size_t i : kDigitPositions)
        if (!isDigit(text[i]))
            return std::nullopt;
    return CalendarDate{digitsValue(text.substr(0, 2)), digitsValue(text.substr(3, 2)), digitsValue(text.substr(6, 4))};
}

} // namespace qel
