#pragma once
// Seconds since the epoch as the local time zone shows them.

#include <cstdint>
#include <optional>

namespace pelmora::platform {

struct LocalClock {
    int year = 0, month = 0, day = 0;  // month and day from 1
    int hour = 0, minute = 0, second = 0;
    long utcOffset = 0;  // seconds east of UTC in force at that time
};

// Seconds since 1970-01-01 UTC in local time; nothing when the system cannot represent the
// time, its year included.
std::optional<LocalClock> LocalTimeOf(std::int64_t secondsSinceEpoch);

}  // namespace pelmora::platform
