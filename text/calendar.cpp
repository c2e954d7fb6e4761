#include "text/calendar.h"

#include <array>
#include <cstdint>

namespace vorlo {

namespace {

// Days before each month in a common year.
constexpr std::array<int, 12> daysBeforeMonth = {0,   31,  59,  90,  120, 151,
                                                 181, 212, 243, 273, 304, 334};

constexpr int daysFromYearZeroToDayZero = 693959; // from 0000-01-01 to 1899-12-30
constexpr std::int64_t daysPer400Years = 146097;

} // namespace

bool isLeapYear(int year) {
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int daysInMonth(int year, int month) {
    const int daysAfter = month == 12 ? 365 : daysBeforeMonth[month];
    return daysAfter - daysBeforeMonth[month - 1] + (month == 2 && isLeapYear(year) ? 1 : 0);
}

int dayNumberOf(int year, int month, int day) {
    // year / 4 - year / 100 + year / 400 counts the leap days up to the end of February of
    // `year`, one too many before March of a leap year.
    int days = year * 365 + year / 4 - year / 100 + year / 400 + daysBeforeMonth[month - 1] + day;
    if (month <= 2 && isLeapYear(year)) {
        days -= 1;
    }
    return days - daysFromYearZeroToDayZero;
}

CalendarDate calendarDateOf(int dayNumber) {
    // Estimate the year from the mean year length, then settle year and month by counting with
    // dayNumberOf, so both directions share one definition of the calendar.
    const std::int64_t daysSinceYearZero = std::int64_t{dayNumber} + daysFromYearZeroToDayZero;
    int year = static_cast<int>(daysSinceYearZero * 400 / daysPer400Years);
    while (dayNumberOf(year + 1, 1, 1) <= dayNumber) {
        ++year;
    }
    while (dayNumberOf(year, 1, 1) > dayNumber) {
        --year;
    }
    int month = 12;
    while (dayNumberOf(year, month, 1) > dayNumber) {
        --month;
    }
    return {year, month, dayNumber - dayNumberOf(year, month, 1) + 1};
}

} // namespace vorlo
