#include "platform/local_time.h"

#include <windows.h>

#include <cstdint>

namespace pelmora::platform {

namespace {

constexpr std::int64_t kTicksPerSecond = 10'000'000;           // FILETIME counts 100 ns
constexpr std::int64_t kEpochFrom1601 = 11'644'473'600;        // seconds from 1601 to 1970
// FileTimeToSystemTime takes times below 2^63 ticks only.
constexpr std::int64_t kLastSecond = INT64_MAX / kTicksPerSecond - kEpochFrom1601;

FILETIME FileTimeOf(std::uint64_t ticks) {
    return FILETIME{static_cast<DWORD>(ticks & 0xFFFFFFFFu), static_cast<DWORD>(ticks >> 32)};
}

std::uint64_t TicksOf(const FILETIME& time) {
    return (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

}  // namespace

std::optional<LocalClock> LocalTimeOf(std::int64_t secondsSinceEpoch) {
    if (secondsSinceEpoch < -kEpochFrom1601 || secondsSinceEpoch > kLastSecond) return std::nullopt;
    const auto ticks = static_cast<std::uint64_t>(secondsSinceEpoch + kEpochFrom1601) *
                       static_cast<std::uint64_t>(kTicksPerSecond);
    const FILETIME utc = FileTimeOf(ticks);
    FILETIME local{};
    SYSTEMTIME parts{};
    if (!FileTimeToLocalFileTime(&utc, &local) || TicksOf(local) > static_cast<std::uint64_t>(INT64_MAX) ||
        !FileTimeToSystemTime(&local, &parts))
        return std::nullopt;
    const auto offsetTicks = static_cast<std::int64_t>(TicksOf(local)) - static_cast<std::int64_t>(ticks);
    return LocalClock{parts.wYear, parts.wMonth, parts.wDay, parts.wHour, parts.wMinute, parts.wSecond,
                      static_cast<long>(offsetTicks / kTicksPerSecond)};
}

}  // namespace pelmora::platform
