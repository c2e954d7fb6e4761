#pragma once

#include "text/date_time.h"

#include <ostream>

namespace vorlo {

// Lets GoogleTest show fields as a date and time in failure messages.
inline void PrintTo(const DateTimeFields& f, std::ostream* out) {
    *out << f.year << '-' << f.month << '-' << f.day << ' ' << f.hour << ':' << f.minute << ':'
         << f.second;
}

} // namespace vorlo
