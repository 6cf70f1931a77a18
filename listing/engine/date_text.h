#pragma once
// Local date-times of second resolution and their texts in the form of the Japanese
// locale the program runs in.

#include <cstdint>
#include <optional>
#include <string>

namespace pelmora {

struct LocalDateTime {
    int year = 0, month = 0, day = 0;
    int hour = 0, minute = 0, second = 0;
};

// Seconds since 1970-01-01 UTC to local time; nothing when it cannot be represented, its
// year included.
// The zone is read once per process, and each thread keeps the local days it has converted:
// a thread that converted dates must not be used again after the zone changed.
std::optional<LocalDateTime> FileTimeToLocalDate(std::int64_t secondsSinceEpoch);

// "2004/05/06 7:08:09": the hour is not zero-padded, and a time of exactly 00:00:00
// gives the date alone ("2004/05/06").
void AppendGeneralDateText(const LocalDateTime& time, std::string& out);
std::string GeneralDateText(const LocalDateTime& time);

// The two-field form: "yyyy/mm/dd" and "hh:nn:ss".
void AppendDatePatternText(const LocalDateTime& time, std::string& out);
void AppendTimePatternText(const LocalDateTime& time, std::string& out);

}  // namespace pelmora
