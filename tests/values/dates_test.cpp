#include "values/dates.h"

#include <gtest/gtest.h>

namespace qel {
namespace {

TEST(Dates, DayNumbersAndTexts)
{
    EXPECT_EQ(dayNumber({30, 12, 1899}), 0);
    EXPECT_EQ(dayNumber({1, 1, 1900}), 2);
    EXPECT_EQ(dayNumber({29, 12, 1899}), -1);
    EXPECT_EQ(dayNumber({1, 3, 2000}), 36586);
    for (int32_t day : {-657434, -1, 0, 59, 60, 36585, 36586, 2958465}) {
        const std::optional<CalendarDate> date = dateOfDayNumber(day);
        ASSERT_TRUE(date) << day;
        EXPECT_EQ(dayNumber(*date), day);
    }
    EXPECT_EQ(dateOfDayNumber(-657435), std::nullopt); // before the year 100
    EXPECT_EQ(dateOfDayNumber(2958466), std::nullopt); // after 9999
    EXPECT_EQ(dateOfDayNumber(0.99), (CalendarDate{30, 12, 1899}));

    EXPECT_TRUE(isValidDate({29, 2, 2000}));
    for (const CalendarDate invalid : {CalendarDate{29, 2, 1900}, {31, 4, 2024}, {0, 1, 2024}, {1, 13, 2024}})
        EXPECT_FALSE(isValidDate(invalid)) << formatDate(invalid);

    EXPECT_EQ(formatDate({5, 3, 802}), "05/03/0802");
    EXPECT_EQ(readDateText("05-03-2024"), (CalendarDate{5, 3, 2024}));
    EXPECT_EQ(readDateText("5/03/2024"), std::nullopt);
    EXPECT_EQ(readDateText("05/03/2O24"), std::nullopt);
}

} // namespace
} // namespace qel
