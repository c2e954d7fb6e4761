#include "text/date_time.h"

#include "text/calendar.h"
#include "text/conversions.h"
#include "text/decimal_digits.h"
#include "text/literals.h"

#include <algorithm>
#include <cmath>
#include <string_view>

namespace vorlo {

namespace {

constexpr double halfSecond = 1.0 / 172800.0; // of a day

bool isInRange(int value, int lowest, int highest) {
    return value >= lowest && value <= highest;
}

// Values are clamped by number (not by time, which runs backward within a day below zero); NaN
// goes to the upper end.
DateTime clampToRange(DateTime value, DateTime lowest, DateTime highest) {
    return std::isnan(value) ? highest : std::clamp(value, lowest, highest);
}

} // namespace

std::optional<DateTime> dateTimeFromFields(const DateTimeFields& fields) {
    if (!isInRange(fields.year, firstYear, lastYear) || !isInRange(fields.month, 1, 12) ||
        !isInRange(fields.day, 1, daysInMonth(fields.year, fields.month)) ||
        !isInRange(fields.hour, 0, 23) || !isInRange(fields.minute, 0, 59) ||
        !isInRange(fields.second, 0, 59)) {
        return std::nullopt;
    }
    const int dayNumber = dayNumberOf(fields.year, fields.month, fields.day);
    const double timeOfDay =
        (fields.hour * 3600 + fields.minute * 60 + fields.second) * (1.0 / secondsPerDay);
    // Below zero the time of day counts away from zero, like the day number.
    return dayNumber >= 0 ? dayNumber + timeOfDay : dayNumber - timeOfDay;
}

DateTimeFields dateTimeToFields(DateTime value) {
    const DateTime clamped = clampToRange(value, lowestCalendarValue, highestCalendarValue);
    const DateTime rounded = clamped > 0 ? clamped + halfSecond : clamped - halfSecond;
    const int dayNumber = static_cast<int>(rounded); // toward zero
    const double magnitude = std::fabs(rounded);
    // Under an upward rounding mode a fraction a hair below one can give a whole day here.
    const int secondsOfDay =
        std::min(static_cast<int>((magnitude - std::floor(magnitude)) * secondsPerDay), 86399);
    const CalendarDate date = calendarDateOf(dayNumber);
    return {.year = date.year,
            .month = date.month,
            .day = date.day,
            .hour = secondsOfDay / 3600,
            .minute = secondsOfDay / 60 % 60,
            .second = secondsOfDay % 60};
}

Text dateTimeToText(DateTime value) {
    const DateTimeFields fields =
        dateTimeToFields(clampToRange(value, lowestTextValue, highestTextValue));
    const DecimalDigits year(fields.year), month(fields.month), day(fields.day);
    const DecimalDigits hour(fields.hour), minute(fields.minute), second(fields.second);
    // Trailing zero fields of the time are left out (9时54分, 9时0分5秒); midnight shows none.
    const int timeFieldsShown = fields.second != 0   ? 3
                                : fields.minute != 0 ? 2
                                : fields.hour != 0   ? 1
                                                     : 0;
    const auto shown = [timeFieldsShown](int timeField, std::string_view part) {
        return timeField < timeFieldsShown ? part : std::string_view();
    };
    return concatenateTexts({year.view(), literals::yearUnit, month.view(), literals::monthUnit,
                             day.view(), literals::dayUnit, shown(0, hour.view()),
                             shown(0, literals::hourUnit), shown(1, minute.view()),
                             shown(1, literals::minuteUnit), shown(2, second.view()),
                             shown(2, literals::secondUnit)});
}

} // namespace vorlo
