#pragma once

#include "text/date_time.h"

#include <cstdint>

namespace vorlo {

// The local wall-clock time of a whole second counted from 1970-01-01 00:00:00 UTC, with the
// machine's time zone and daylight-saving rules. Local times outside the calendar of DateTime
// (before 0100 or after 9999, or beyond what the platform can convert) give its nearest end:
// 0100-01-01 00:00:00 before it, 9999-12-31 23:59:59 after it.
DateTime localDateTimeOfSecond(std::int64_t secondsSinceEpoch);

} // namespace vorlo
