#include "listing/engine/date_text.h"

#include <cstdint>
#include <limits>
#include <vector>

#include "platform/local_time.h"

namespace pelmora {

namespace {

// Writes value with at least minDigits digits at `at`; returns the end.
char* PutNumber(char* at, int value, int minDigits) {
    char digits[16];
    int count = 0;
    unsigned magnitude = value < 0 ? 0u - static_cast<unsigned>(value) : static_cast<unsigned>(value);
    do {
        digits[count++] = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (value < 0) *at++ = '-';
    for (int i = count; i < minDigits; ++i) *at++ = '0';
    while (count > 0) *at++ = digits[--count];
    return at;
}

// Each text is put together in a small buffer and appended once: listings write millions.
char* PutDate(char* at, const LocalDateTime& time) {
    at = PutNumber(at, time.year, 4);
    *at++ = '/';
    at = PutNumber(at, time.month, 2);
    *at++ = '/';
    return PutNumber(at, time.day, 2);
}

char* PutTime(char* at, const LocalDateTime& time, int hourDigits) {
    at = PutNumber(at, time.hour, hourDigits);
    *at++ = ':';
    at = PutNumber(at, time.minute, 2);
    *at++ = ':';
    return PutNumber(at, time.second, 2);
}

// Room for the longest text: three ten-digit numbers with signs and separators, twice.
constexpr std::size_t kTextRoom = 80;

void Append(const char* begin, const char* end, std::string& out) {
    out.append(begin, static_cast<std::size_t>(end - begin));
}

}  // namespace

namespace {

std::optional<LocalDateTime> ConvertedByTheSystem(std::int64_t secondsSinceEpoch, long* utcOffset) {
    const auto clock = platform::LocalTimeOf(secondsSinceEpoch);
    if (!clock) return std::nullopt;
    if (utcOffset != nullptr) *utcOffset = clock->utcOffset;
    return LocalDateTime{clock->year, clock->month, clock->day, clock->hour, clock->minute, clock->second};
}

bool SameDate(const LocalDateTime& a, const LocalDateTime& b) {
    return a.year == b.year && a.month == b.month && a.day == b.day;
}

// Local days already converted on this thread, as the stretches of seconds since the epoch
// they cover: glibc's conversion both reparses the zone's rule text for every date past its
// last transition and takes a lock all threads share, while a listing's dates fall on far
// fewer days than it has files. A day is kept only when its first and its last second
// convert to its date at midnight and 23:59:59 with the UTC offset of the second first
// asked for, so a day with a change of offset (or a leap second) is never kept. A day's slot
// is the UTC day its first second falls on: that of the second looked up or the one before.
// Kept small (16 bytes, the table 256 KB) so that the lookups of a listing, which jump
// across the table as the files' dates do, mostly stay in the processor's cache.
struct CachedDay {
    std::int64_t begin = std::numeric_limits<std::int64_t>::min();  // the day's first second; empty
    int year = 0;
    std::int8_t month = 0, day = 0;
};
constexpr std::int64_t kDay = 86400;
constexpr std::size_t kCachedDays = 16384;  // 45 years without two days in one slot

std::size_t SlotOf(std::int64_t secondsSinceEpoch) {
    const std::int64_t utcDay = secondsSinceEpoch / kDay - (secondsSinceEpoch % kDay < 0 ? 1 : 0);
    return static_cast<std::size_t>(static_cast<std::uint64_t>(utcDay) % kCachedDays);
}

std::vector<CachedDay>& CachedDays() {
    thread_local std::vector<CachedDay> days(kCachedDays);
    return days;
}

}  // namespace

std::optional<LocalDateTime> FileTimeToLocalDate(std::int64_t secondsSinceEpoch) {
    std::vector<CachedDay>& days = CachedDays();
    if (secondsSinceEpoch > std::numeric_limits<std::int64_t>::min() + kDay) {
        for (const std::int64_t dayStart : {secondsSinceEpoch, secondsSinceEpoch - kDay + 1}) {
            const CachedDay& day = days[SlotOf(dayStart)];
            // An empty slot's day ends before any second looked up here.
            if (secondsSinceEpoch < day.begin || secondsSinceEpoch >= day.begin + kDay) continue;
            const auto second = static_cast<int>(secondsSinceEpoch - day.begin);
            LocalDateTime local;
            local.year = day.year;
            local.month = day.month;
            local.day = day.day;
            local.hour = second / 3600;
            local.minute = second / 60 % 60;
            local.second = second % 60;
            return local;
        }
    }
    long offset = 0;
    const auto local = ConvertedByTheSystem(secondsSinceEpoch, &offset);
    if (!local) return local;
    const std::int64_t begin = secondsSinceEpoch - (local->hour * 3600 + local->minute * 60 + local->second);
    if (secondsSinceEpoch < std::numeric_limits<std::int64_t>::min() + kDay ||
        begin > std::numeric_limits<std::int64_t>::max() - kDay)
        return local;
    long firstOffset = 0, lastOffset = 0;
    const auto first = ConvertedByTheSystem(begin, &firstOffset);
    const auto last = ConvertedByTheSystem(begin + kDay - 1, &lastOffset);
    if (first && last && firstOffset == offset && lastOffset == offset && SameDate(*first, *local) &&
        SameDate(*last, *local) && first->hour == 0 && first->minute == 0 && first->second == 0 &&
        last->hour == 23 && last->minute == 59 && last->second == 59) {
        days[SlotOf(begin)] = {begin, first->year, static_cast<std::int8_t>(first->month),
                               static_cast<std::int8_t>(first->day)};
    }
    return local;
}

void AppendDatePatternText(const LocalDateTime& time, std::string& out) {
    char text[kTextRoom];
    Append(text, PutDate(text, time), out);
}

void AppendTimePatternText(const LocalDateTime& time, std::string& out) {
    char text[kTextRoom];
    Append(text, PutTime(text, time, 2), out);
}

void AppendGeneralDateText(const LocalDateTime& time, std::string& out) {
    char text[kTextRoom];
    char* end = PutDate(text, time);
    if (time.hour != 0 || time.minute != 0 || time.second != 0) {
        *end++ = ' ';
        end = PutTime(end, time, 1);
    }
    Append(text, end, out);
}

std::string GeneralDateText(const LocalDateTime& time) {
    std::string text;
    AppendGeneralDateText(time, text);
    return text;
}

}  // namespace pelmora
