#pragma once

#include "text/date_time.h"

namespace vorlo {

// The calendar of DateTime: the Gregorian calendar extended backward, from 0100-01-01 to
// 9999-12-31, counting days from 1899-12-30 (day 0).

inline constexpr int firstYear = 100;
inline constexpr int lastYear = 9999;
inline constexpr double secondsPerDay = 86400.0;

// The numeric bounds of the calendar. Below zero the time of day counts downward, so the lowest
// value is the last second of the first day: 0100-01-01 23:59:59. The highest is 9999-12-31
// 23:59:59.
inline constexpr DateTime lowestCalendarValue = -657434.0 - 86399.0 / secondsPerDay;
inline constexpr DateTime highestCalendarValue = 2958465.0 + 86399.0 / secondsPerDay;

// The range for text: 0100-01-01 00:00:00 to 9999-12-31 00:00:00.
inline constexpr DateTime lowestTextValue = -657434.0;
inline constexpr DateTime highestTextValue = 2958465.0;

bool isLeapYear(int year);
int daysInMonth(int year, int month);

// The day number of a valid date.
int dayNumberOf(int year, int month, int day);

struct CalendarDate {
    int year = 0;
    int month = 0;
    int day = 0;
};

// The date of a day number from dayNumberOf(firstYear, 1, 1) to dayNumberOf(lastYear, 12, 31).
CalendarDate calendarDateOf(int dayNumber);

} // namespace vorlo
