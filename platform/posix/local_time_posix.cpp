#include "platform/local_time.h"

#include <ctime>
#include <limits>

namespace pelmora::platform {

std::optional<LocalClock> LocalTimeOf(std::int64_t secondsSinceEpoch) {
    // localtime_r need not read the zone itself; tzset once makes sure it has been read.
    static const bool zoneRead = [] {
        tzset();
        return true;
    }();
    (void)zoneRead;
    const auto seconds = static_cast<std::time_t>(secondsSinceEpoch);
    if (static_cast<std::int64_t>(seconds) != secondsSinceEpoch) return std::nullopt;
    std::tm parts{};
    if (localtime_r(&seconds, &parts) == nullptr) return std::nullopt;
    // glibc converts some years past the largest int (tm_year holds year - 1900).
    if (parts.tm_year > std::numeric_limits<int>::max() - 1900) return std::nullopt;
    return LocalClock{parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday, parts.tm_hour,
                      parts.tm_min,         parts.tm_sec,     parts.tm_gmtoff};
}

}  // namespace pelmora::platform
