#pragma once

#include "text/text.h"

#include <chrono>
#include <optional>

namespace vorlo {

// Days since 1899-12-30 00:00:00 local time; the fraction is the time of day. Below zero the
// time of day is subtracted from the (truncated) day number: -1.25 is 1899-12-29 06:00.
using DateTime = double;

struct DateTimeFields {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;

    friend bool operator==(const DateTimeFields&, const DateTimeFields&) = default;
};

// The machine's local wall-clock time in whole seconds (milliseconds dropped).
DateTime currentDateTime();

// The local wall-clock time of the given instant, in whole seconds, with the machine's time zone
// and daylight-saving rules applied. currentDateTime() is this of the system clock's now. A local
// time before 0100 gives 0100-01-01 00:00:00, one after 9999 gives 9999-12-31 23:59:59.
DateTime localDateTimeAt(std::chrono::system_clock::time_point instant);

// Fails (nullopt) for fields outside the calendar: a year outside 100..9999, a month outside
// 1..12, a day outside the month, an hour outside 0..23, a minute or second outside 0..59.
std::optional<DateTime> dateTimeFromFields(const DateTimeFields& fields);

// Rounds to the nearest second. Values are first clamped to the calendar's numbers, from
// -657434.99998843 (0100-01-01 23:59:59) to 2958465.99998843 (9999-12-31 23:59:59); NaN gives
// the upper one.
DateTimeFields dateTimeToFields(DateTime value);

// "2014年12月13日9时54分12秒", with the trailing zero fields of the time left out. Values are first
// clamped to -657434.0 (0100-01-01 00:00) to 2958465.0 (9999-12-31 00:00), NaN to the upper one.
Text dateTimeToText(DateTime value);

} // namespace vorlo
