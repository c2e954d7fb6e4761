#include "date_time_printing.h"
#include "gbk_codec.h"
#include "text/date_time.h"

#include <gtest/gtest.h>

#include <cfenv>
#include <chrono>
#include <cmath>
#include <limits>
#include <ostream>
#include <string>

namespace vorlo {

namespace {

constexpr double nan = std::numeric_limits<double>::quiet_NaN();
constexpr double infinity = std::numeric_limits<double>::infinity();

struct TextCase {
    DateTime value;
    const char* utf8Expected;
};

void PrintTo(const TextCase& c, std::ostream* out) {
    *out << ::testing::PrintToString(c.value) << " -> " << c.utf8Expected;
}

class DateTimeToText : public ::testing::TestWithParam<TextCase> {};

TEST_P(DateTimeToText, WritesDateAndShortenedTime) {
    EXPECT_EQ(utf8FromGbk(dateTimeToText(GetParam().value).bytes()), GetParam().utf8Expected);
}

const TextCase textCases[] = {
    {0.0, "1899年12月30日"},
    {0.5, "1899年12月30日12时"},
    {-1.25, "1899年12月29日6时"},
    {25569.0, "1970年1月1日"},
    {41986 + 35652 / 86400.0, "2014年12月13日9时54分12秒"},
    {41986.9999999, "2014年12月14日"}, // under half a second to midnight
    {-657433.5, "100年1月2日12时"},
    {2958464.75, "9999年12月30日18时"},
    // the limits, and what lies beyond them
    {-657434.0, "100年1月1日"},
    {-657434.5, "100年1月1日"},
    {-1e300, "100年1月1日"},
    {-infinity, "100年1月1日"},
    {2958465.0, "9999年12月31日"},
    {2958465.75, "9999年12月31日"},
    {1e300, "9999年12月31日"},
    {infinity, "9999年12月31日"},
    {nan, "9999年12月31日"},
};

INSTANTIATE_TEST_SUITE_P(Values, DateTimeToText, ::testing::ValuesIn(textCases));

struct FieldsCase {
    DateTimeFields fields;
    DateTime value;
};

void PrintTo(const FieldsCase& c, std::ostream* out) {
    PrintTo(c.fields, out);
    *out << " <-> " << ::testing::PrintToString(c.value);
}

class DateTimeFromFields : public ::testing::TestWithParam<FieldsCase> {};

TEST_P(DateTimeFromFields, CountsDaysFrom18991230) {
    const std::optional<DateTime> value = dateTimeFromFields(GetParam().fields);
    ASSERT_TRUE(value.has_value());
    EXPECT_DOUBLE_EQ(*value, GetParam().value);
}

const FieldsCase fromFieldsCases[] = {
    {{1899, 12, 30, 0, 0, 0}, 0.0},
    {{1899, 12, 30, 12, 0, 0}, 0.5},
    {{1899, 12, 29, 6, 0, 0}, -1.25},
    {{1900, 2, 28, 0, 0, 0}, 60.0}, // 1900 is a common year
    {{1900, 3, 1, 0, 0, 0}, 61.0},
    {{1970, 1, 1, 0, 0, 0}, 25569.0},
    {{2000, 2, 29, 0, 0, 0}, 36585.0},
    {{2000, 3, 1, 0, 0, 0}, 36586.0},
    {{2014, 12, 13, 9, 54, 12}, 41986 + 35652 / 86400.0},
    {{2016, 2, 29, 12, 0, 0}, 42429.5},
    {{100, 1, 1, 0, 0, 0}, -657434.0},
    {{100, 1, 1, 23, 59, 59}, -657434 - 86399 / 86400.0},
    {{9999, 12, 31, 0, 0, 0}, 2958465.0},
    {{9999, 12, 31, 23, 59, 59}, 2958465 + 86399 / 86400.0},
};

INSTANTIATE_TEST_SUITE_P(Dates, DateTimeFromFields, ::testing::ValuesIn(fromFieldsCases));

class DateTimeFromFieldsOutOfRange : public ::testing::TestWithParam<DateTimeFields> {};

TEST_P(DateTimeFromFieldsOutOfRange, Fails) {
    EXPECT_FALSE(dateTimeFromFields(GetParam()).has_value());
}

const DateTimeFields outOfRangeFields[] = {
    {10000, 1, 1, 0, 0, 0},   {99, 12, 31, 0, 0, 0},    {0, 1, 1, 0, 0, 0},
    {-1, 1, 1, 0, 0, 0},      {2014, 0, 1, 0, 0, 0},    {2014, 13, 1, 0, 0, 0},
    {2014, 1, 0, 0, 0, 0},    {2014, 1, 32, 0, 0, 0},   {2014, 4, 31, 0, 0, 0},
    {2015, 2, 29, 0, 0, 0},   {1900, 2, 29, 0, 0, 0},   {2016, 2, 30, 0, 0, 0},
    {2014, 12, 13, 24, 0, 0}, {2014, 12, 13, -1, 0, 0}, {2014, 12, 13, 0, 60, 0},
    {2014, 12, 13, 0, -1, 0}, {2014, 12, 13, 0, 0, 60}, {2014, 12, 13, 0, 0, -1},
};

INSTANTIATE_TEST_SUITE_P(Fields, DateTimeFromFieldsOutOfRange,
                         ::testing::ValuesIn(outOfRangeFields));

class DateTimeToFields : public ::testing::TestWithParam<FieldsCase> {};

TEST_P(DateTimeToFields, RoundsToTheNearestSecond) {
    EXPECT_EQ(dateTimeToFields(GetParam().value), GetParam().fields);
}

const FieldsCase toFieldsCases[] = {
    {{2014, 12, 13, 9, 54, 12}, 41986 + 35652.4 / 86400},
    {{2014, 12, 13, 9, 54, 13}, 41986 + 35652.6 / 86400},
    {{2014, 12, 13, 23, 59, 59}, 41986 + 86399.4 / 86400},
    {{2014, 12, 14, 0, 0, 0}, 41986.9999999},
    {{1899, 12, 30, 0, 0, 0}, 0.0},
    {{1899, 12, 30, 12, 0, 0}, -0.5},
    {{1899, 12, 29, 6, 0, 0}, -1.25},
    {{1899, 12, 29, 6, 0, 1}, -1 - 21600.6 / 86400},
    // clamped to the calendar's numbers first
    {{100, 1, 1, 23, 59, 59}, -1e9},
    {{9999, 12, 31, 23, 59, 59}, 1e9},
    {{9999, 12, 31, 23, 59, 59}, nan},
};

INSTANTIATE_TEST_SUITE_P(Values, DateTimeToFields, ::testing::ValuesIn(toFieldsCases));

TEST(DateTimeToFieldsUnderUpwardRounding, StaysWithinTheDay) {
    // Half a second before midnight, less a hair: the rounding to the nearest second must not
    // overflow into a 24th hour.
    ASSERT_EQ(std::fesetround(FE_UPWARD), 0);
    volatile double value = 0.99999421296296276;
    const DateTimeFields fields = dateTimeToFields(value);
    std::fesetround(FE_TONEAREST);
    EXPECT_EQ(fields, (DateTimeFields{1899, 12, 30, 23, 59, 59}));
}

// Round trips. The expected day numbers come from std::chrono's calendar, which is independent of
// the one under test.

using namespace std::chrono;

constexpr sys_days dayZero = sys_days{1899y / December / 30};

DateTimeFields fieldsOf(year_month_day date, int secondsOfDay) {
    return {static_cast<int>(date.year()),
            static_cast<int>(static_cast<unsigned>(date.month())),
            static_cast<int>(static_cast<unsigned>(date.day())),
            secondsOfDay / 3600,
            secondsOfDay / 60 % 60,
            secondsOfDay % 60};
}

TEST(DateTimeRoundTrip, EveryDayFrom0100To9999) {
    constexpr int timesOfDay[] = {0, 1, 12 * 3600 + 30 * 60 + 30, 86399};
    for (sys_days day = sys_days{100y / January / 1}; day <= sys_days{9999y / December / 31};
         day += days{1}) {
        const int dayNumber = static_cast<int>((day - dayZero).count());
        for (const int secondsOfDay : timesOfDay) {
            const DateTimeFields fields = fieldsOf(year_month_day{day}, secondsOfDay);
            const std::optional<DateTime> value = dateTimeFromFields(fields);
            ASSERT_TRUE(value.has_value()) << ::testing::PrintToString(fields);
            ASSERT_EQ(std::trunc(*value), dayNumber) << ::testing::PrintToString(fields);
            ASSERT_EQ(dateTimeToFields(*value), fields) << ::testing::PrintToString(*value);
        }
    }
}

class DateTimeRoundTripOfOneDay : public ::testing::TestWithParam<year_month_day> {};

TEST_P(DateTimeRoundTripOfOneDay, EveryWholeSecond) {
    for (int secondsOfDay = 0; secondsOfDay < 86400; ++secondsOfDay) {
        const DateTimeFields fields = fieldsOf(GetParam(), secondsOfDay);
        const std::optional<DateTime> value = dateTimeFromFields(fields);
        ASSERT_TRUE(value.has_value()) << ::testing::PrintToString(fields);
        ASSERT_EQ(dateTimeToFields(*value), fields) << ::testing::PrintToString(*value);
    }
}

// Below day zero the time of day counts the other way, so days on both sides are covered.
INSTANTIATE_TEST_SUITE_P(Days, DateTimeRoundTripOfOneDay,
                         ::testing::Values(2014y / December / 13, 1899y / December / 30,
                                           1899y / December / 29, 100y / January / 1,
                                           9999y / December / 31));

} // namespace
} // namespace vorlo
