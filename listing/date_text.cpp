#include "listing/date_text.h"

#include <ctime>

namespace pelmora {

namespace {

void AppendNumber(int value, int minDigits, std::string& out) {
    char digits[16];
    int count = 0;
    unsigned magnitude = value < 0 ? 0u - static_cast<unsigned>(value) : static_cast<unsigned>(value);
    do {
        digits[count++] = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (value < 0) out.push_back('-');
    for (int i = count; i < minDigits; ++i) out.push_back('0');
    while (count > 0) out.push_back(digits[--count]);
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
    return LocalDateTime{parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday,
                         parts.tm_hour,        parts.tm_min,     parts.tm_sec};
}

void AppendDatePatternText(const LocalDateTime& time, std::string& out) {
    AppendNumber(time.year, 4, out);
    out.push_back('/');
    AppendNumber(time.month, 2, out);
    out.push_back('/');
    AppendNumber(time.day, 2, out);
}

void AppendTimePatternText(const LocalDateTime& time, std::string& out) {
    AppendNumber(time.hour, 2, out);
    out.push_back(':');
    AppendNumber(time.minute, 2, out);
    out.push_back(':');
    AppendNumber(time.second, 2, out);
}

void AppendGeneralDateText(const LocalDateTime& time, std::string& out) {
    AppendDatePatternText(time, out);
    if (time.hour == 0 && time.minute == 0 && time.second == 0) return;
    out.push_back(' ');
    AppendNumber(time.hour, 1, out);
    out.push_back(':');
    AppendNumber(time.minute, 2, out);
    out.push_back(':');
    AppendNumber(time.second, 2, out);
}

std::string GeneralDateText(const LocalDateTime& time) {
    std::string text;
    AppendGeneralDateText(time, text);
    return text;
}

}  // namespace pelmora
