#include "platform/local_time.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>

namespace pelmora::platform {
namespace {

// The proleptic Gregorian date of a day count since 1970-01-01 (days from civil, inverted).
void CivilFromDays(std::int64_t days, int& year, int& month, int& day) {
    days += 719468;
    const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const std::int64_t dayOfEra = days - era * 146097;
    const std::int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t shifted = (5 * dayOfYear + 2) / 153;
    day = static_cast<int>(dayOfYear - (153 * shifted + 2) / 5 + 1);
    month = static_cast<int>(shifted < 10 ? shifted + 3 : shifted - 9);
    year = static_cast<int>(yearOfEra + era * 400 + (month <= 2 ? 1 : 0));
}

// Whatever the zone, the fields are the UTC time moved by the offset the system reports.
TEST(LocalTime, FieldsAreTheUtcTimeMovedByTheOffset) {
    std::mt19937_64 random(7);
    std::uniform_int_distribution<std::int64_t> anyTime(-2208988800, 4102444800);  // 1900 to 2100
    for (int i = 0; i < 20000; ++i) {
        const std::int64_t seconds = i < 3 ? std::int64_t{i} * 86399 : anyTime(random);
        const auto local = LocalTimeOf(seconds);
        ASSERT_TRUE(local.has_value()) << seconds;
        ASSERT_LE(local->utcOffset, 14 * 3600);
        ASSERT_GE(local->utcOffset, -14 * 3600);
        const std::int64_t shifted = seconds + local->utcOffset;
        const std::int64_t days = shifted / 86400 - (shifted % 86400 < 0 ? 1 : 0);
        const std::int64_t secondOfDay = shifted - days * 86400;
        int year = 0, month = 0, day = 0;
        CivilFromDays(days, year, month, day);
        ASSERT_EQ(local->year, year) << seconds;
        ASSERT_EQ(local->month, month) << seconds;
        ASSERT_EQ(local->day, day) << seconds;
        ASSERT_EQ(local->hour * 3600 + local->minute * 60 + local->second, secondOfDay) << seconds;
    }
}

TEST(LocalTime, TimesBeyondTheSystemsRangeAreAbsent) {
    EXPECT_FALSE(LocalTimeOf(INT64_MAX).has_value());
    EXPECT_FALSE(LocalTimeOf(INT64_MIN).has_value());
    const auto farDate = LocalTimeOf(253402214400);  // 9999-12-31 UTC
    ASSERT_TRUE(farDate.has_value());
    EXPECT_GE(farDate->year, 9999);
}

}  // namespace
}  // namespace pelmora::platform
