#include "listing/engine/date_text.h"

#include <ctime>
#include <limits>

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

std::optional<LocalDateTime> FileTimeToLocalDate(std::int64_t secondsSinceEpoch) {
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
    return LocalDateTime{parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday,
                         parts.tm_hour,        parts.tm_min,     parts.tm_sec};
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
