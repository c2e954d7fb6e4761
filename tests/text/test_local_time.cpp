#include "date_time_printing.h"
#include "gbk_codec.h"
#include "text/date_time.h"
#include "text/local_time.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <limits>
#include <ostream>

namespace vorlo {

namespace {

using namespace std::chrono;

// Zones are POSIX TZ rules, so the tests do not depend on the machine's zone database.
constexpr const char* utc = "UTC0";
constexpr const char* centralEurope = "CET-1CEST,M3.5.0,M10.5.0/3";
constexpr const char* newZealand = "NZST-12NZDT,M9.5.0,M4.1.0/3";
constexpr const char* india = "<+0530>-5:30";
constexpr const char* argentina = "<-03>3";

void useTimeZone(const char* zone) {
    ASSERT_EQ(setenv("TZ", zone, 1), 0);
    tzset();
}

sys_time<milliseconds> utcInstant(year_month_day date, milliseconds timeOfDay) {
    return sys_days{date} + timeOfDay;
}

DateTime valueOf(const DateTimeFields& fields) {
    const std::optional<DateTime> value = dateTimeFromFields(fields);
    EXPECT_TRUE(value.has_value());
    return value.value_or(std::numeric_limits<double>::quiet_NaN());
}

constexpr year_month_day reminderDay = 2014y / December / 13;

// The reminder's text of the local time, in a zone where local time is UTC.

struct LocalTextCase {
    sys_time<milliseconds> instant;
    const char* utf8Expected;
};

void PrintTo(const LocalTextCase& c, std::ostream* out) {
    *out << c.instant.time_since_epoch().count() << " ms -> " << c.utf8Expected;
}

class LocalTimeText : public ::testing::TestWithParam<LocalTextCase> {
protected:
    void SetUp() override { useTimeZone(utc); }
};

TEST_P(LocalTimeText, ShowsWholeSeconds) {
    const Text text = dateTimeToText(localDateTimeAt(GetParam().instant));
    EXPECT_EQ(utf8FromGbk(text.bytes()), GetParam().utf8Expected);
}

const LocalTextCase localTextCases[] = {
    {utcInstant(reminderDay, 9h + 54min + 12s), "2014年12月13日9时54分12秒"},
    {utcInstant(reminderDay, 9h + 54min + 12s + 999ms), "2014年12月13日9时54分12秒"},
    {utcInstant(reminderDay, 0h), "2014年12月13日"},
    {utcInstant(reminderDay, 9h + 54min), "2014年12月13日9时54分"},
    {utcInstant(reminderDay, 9h), "2014年12月13日9时"},
    {utcInstant(reminderDay, 5s), "2014年12月13日0时0分5秒"},
    {utcInstant(reminderDay, 5min), "2014年12月13日0时5分"},
    {utcInstant(reminderDay, 9h + 5s), "2014年12月13日9时0分5秒"},
    {utcInstant(2015y / January / 2, 23h + 59min + 59s), "2015年1月2日23时59分59秒"},
    {utcInstant(2016y / February / 29, 12h), "2016年2月29日12时"},
};

INSTANTIATE_TEST_SUITE_P(Instants, LocalTimeText, ::testing::ValuesIn(localTextCases));

// The zone's offset and daylight-saving rules, and the dropping of milliseconds.

struct LocalTimeCase {
    const char* zone;
    sys_time<milliseconds> instant;
    DateTimeFields expected;
};

void PrintTo(const LocalTimeCase& c, std::ostream* out) {
    *out << c.zone << ", " << c.instant.time_since_epoch().count() << " ms -> ";
    PrintTo(c.expected, out);
}

class LocalDateTimeAt : public ::testing::TestWithParam<LocalTimeCase> {
protected:
    void SetUp() override { useTimeZone(GetParam().zone); }
};

TEST_P(LocalDateTimeAt, GivesTheLocalWallClockInWholeSeconds) {
    const DateTime value = localDateTimeAt(GetParam().instant);
    EXPECT_EQ(value, valueOf(GetParam().expected))
        << "which is " << ::testing::PrintToString(dateTimeToFields(value));
}

const LocalTimeCase localTimeCases[] = {
    // milliseconds are dropped toward the past, also before 1970
    {utc, utcInstant(1970y / January / 1, 999ms), {1970, 1, 1, 0, 0, 0}},
    {utc, utcInstant(1970y / January / 1, -1ms), {1969, 12, 31, 23, 59, 59}},
    // below and beyond a 32-bit count of seconds
    {utc, utcInstant(1901y / December / 13, 20h + 45min + 51s), {1901, 12, 13, 20, 45, 51}},
    {utc, utcInstant(2038y / January / 19, 3h + 14min + 8s), {2038, 1, 19, 3, 14, 8}},
    {utc, utcInstant(2262y / January / 1, 0h), {2262, 1, 1, 0, 0, 0}},
    {centralEurope, utcInstant(reminderDay, 8h + 54min + 12s + 999ms), {2014, 12, 13, 9, 54, 12}},
    {centralEurope, utcInstant(2014y / July / 1, 12h), {2014, 7, 1, 14, 0, 0}},
    // the spring and autumn changes of 2014, and summer time after 2038
    {centralEurope, utcInstant(2014y / March / 30, 59min + 59s), {2014, 3, 30, 1, 59, 59}},
    {centralEurope, utcInstant(2014y / March / 30, 1h), {2014, 3, 30, 3, 0, 0}},
    {centralEurope, utcInstant(2014y / October / 26, 59min + 59s), {2014, 10, 26, 2, 59, 59}},
    {centralEurope, utcInstant(2014y / October / 26, 1h), {2014, 10, 26, 2, 0, 0}},
    {centralEurope, utcInstant(2040y / July / 1, 12h), {2040, 7, 1, 14, 0, 0}},
    {centralEurope, utcInstant(1960y / January / 15, 12h), {1960, 1, 15, 13, 0, 0}},
    // summer time in the southern hemisphere, half-hour and western offsets across midnight
    {newZealand, utcInstant(reminderDay, 20h + 54min + 12s), {2014, 12, 14, 9, 54, 12}},
    {india, utcInstant(reminderDay, 4h + 24min + 12s), {2014, 12, 13, 9, 54, 12}},
    {argentina, utcInstant(reminderDay, 2h + 54min + 12s), {2014, 12, 12, 23, 54, 12}},
};

INSTANTIATE_TEST_SUITE_P(Zones, LocalDateTimeAt, ::testing::ValuesIn(localTimeCases));

// Whole seconds whose local time lies outside the calendar give its nearest end.

std::int64_t utcSeconds(year_month_day date) {
    return duration_cast<seconds>(sys_days{date}.time_since_epoch()).count();
}

struct OutsideCase {
    const char* zone;
    std::int64_t secondsSinceEpoch;
    DateTimeFields expected;
};

void PrintTo(const OutsideCase& c, std::ostream* out) {
    *out << c.zone << ", " << c.secondsSinceEpoch << " s";
}

class LocalDateTimeOfSecond : public ::testing::TestWithParam<OutsideCase> {
protected:
    void SetUp() override { useTimeZone(GetParam().zone); }
};

TEST_P(LocalDateTimeOfSecond, StaysInsideTheCalendar) {
    const DateTime value = localDateTimeOfSecond(GetParam().secondsSinceEpoch);
    EXPECT_EQ(value, valueOf(GetParam().expected))
        << "which is " << ::testing::PrintToString(dateTimeToFields(value));
}

constexpr DateTimeFields firstSecond = {100, 1, 1, 0, 0, 0};
constexpr DateTimeFields lastSecond = {9999, 12, 31, 23, 59, 59};
constexpr std::int64_t largest = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t smallest = std::numeric_limits<std::int64_t>::min();

const OutsideCase outsideCases[] = {
    {utc, utcSeconds(100y / January / 1), firstSecond},
    {utc, utcSeconds(100y / January / 1) - 1, firstSecond},
    {utc, utcSeconds(10000y / January / 1) - 1, lastSecond},
    {utc, utcSeconds(10000y / January / 1), lastSecond},
    {centralEurope, utcSeconds(10000y / January / 1) - 1800, lastSecond}, // 10000-01-01 00:30
    {argentina, utcSeconds(100y / January / 1) + 1800, firstSecond},      // 0099-12-31 21:30
    // beyond what the platform converts at all
    {utc, largest, lastSecond},
    {utc, smallest, firstSecond},
};

INSTANTIATE_TEST_SUITE_P(Seconds, LocalDateTimeOfSecond, ::testing::ValuesIn(outsideCases));

TEST(CurrentDateTime, ReadsTheSystemClockInWholeSeconds) {
    useTimeZone(centralEurope);
    const auto before = system_clock::now();
    const DateTime now = currentDateTime();
    const auto after = system_clock::now();
    EXPECT_GE(now, localDateTimeAt(before));
    EXPECT_LE(now, localDateTimeAt(after));
    const double secondsOfDay = (now - std::trunc(now)) * 86400;
    EXPECT_NEAR(secondsOfDay, std::round(secondsOfDay), 1e-4);
}

} // namespace
} // namespace vorlo
