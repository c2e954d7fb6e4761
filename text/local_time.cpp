#include "text/local_time.h"

#include "text/calendar.h"

#include <algorithm>
#include <ctime>

namespace vorlo {

namespace {

static_assert(sizeof(std::time_t) >= 8, "the clock must not stop in 2038");

bool toLocalCalendarTime(std::time_t time, std::tm& local) {
#ifdef _WIN32
    _tzset();
    return localtime_s(&local, &time) == 0;
#else
    // As localtime() does, so a change of the machine's time zone shows at the next reading.
    tzset();
    return localtime_r(&time, &local) != nullptr;
#endif
}

DateTime earliestLocalTime() {
    return *dateTimeFromFields({firstYear, 1, 1, 0, 0, 0});
}

DateTime latestLocalTime() {
    return *dateTimeFromFields({lastYear, 12, 31, 23, 59, 59});
}

} // namespace

DateTime localDateTimeOfSecond(std::int64_t secondsSinceEpoch) {
    std::tm local{};
    if (!toLocalCalendarTime(static_cast<std::time_t>(secondsSinceEpoch), local)) {
        return secondsSinceEpoch < 0 ? earliestLocalTime() : latestLocalTime();
    }
    const std::int64_t year = std::int64_t{local.tm_year} + 1900;
    if (year < firstYear) {
        return earliestLocalTime();
    }
    if (year > lastYear) {
        return latestLocalTime();
    }
    // Fields from the platform are valid; a leap second (zones with leap-second tables give 60)
    // shows as the second before it.
    return *dateTimeFromFields({static_cast<int>(year), local.tm_mon + 1, local.tm_mday,
                                local.tm_hour, local.tm_min, std::min(local.tm_sec, 59)});
}

DateTime localDateTimeAt(std::chrono::system_clock::time_point instant) {
    // floor, not a cast: 1969-12-31 23:59:59.999 is still 23:59:59.
    const auto seconds = std::chrono::floor<std::chrono::seconds>(instant.time_since_epoch());
    return localDateTimeOfSecond(seconds.count());
}

DateTime currentDateTime() {
    return localDateTimeAt(std::chrono::system_clock::now());
}

} // namespace vorlo
