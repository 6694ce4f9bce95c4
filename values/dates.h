#pragma once
// Dates as programs hold them: a number of days, day 0 being 30 December 1899, with the time of day
// as the fraction (0.5 is noon). The calendar is the Gregorian one throughout, with no time zone and
// no locale. Day numbers cover the years 100 to 9999; outside them there is no date.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qel {

struct CalendarDate {
    int day = 0;
    int month = 0;
    int year = 0;
    bool operator==(const CalendarDate&) const = default;
};

inline constexpr int kFirstYear = 100;
inline constexpr int kLastYear = 9999;

// Whether day, month and year form a real date within the years covered.
bool isValidDate(const CalendarDate& date);

// The day number of a valid date (nothing for an invalid one).
std::optional<int32_t> dayNumber(const CalendarDate& date);

// The date a day number falls on: its integer part counts the days, so -0.5 is still 30 December
// 1899 (at noon). Nothing beyond the years covered or for a value that is not a number.
std::optional<CalendarDate> dateOfDayNumber(double dayNumber);

// "%d/%m/%Y": two-digit day and month, four-digit year, e.g. "05/03/2024".
std::string formatDate(const CalendarDate& date);

// Reads "dd/mm/yyyy": exactly ten characters with digits at the eight digit positions (the
// separators are not looked at). Nothing when the text has another form; the result may still be
// an invalid date.
std::optional<CalendarDate> readDateText(std::string_view text);

} // namespace qel
