#include "listing/engine/date_text.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <ctime>
#include <random>
#include <thread>

#include <gtest/gtest.h>

#include "listing/engine/entry_formatter.h"

#include "tests/support/test_time_zone.h"

namespace pelmora {
namespace {

struct DateCase {
    std::int64_t seconds;
    const char* general;
    const char* date;
    const char* time;
};

TEST(DateText, LocalTimesInBothForms) {
    ASSERT_TRUE(testing::kJapanTimeZone);
    const DateCase cases[] = {
        {1083794889, "2004/05/06 7:08:09", "2004/05/06", "07:08:09"},
        {1083769200, "2004/05/06", "2004/05/06", "00:00:00"},  // midnight: the date alone
        {1083769201, "2004/05/06 0:00:01", "2004/05/06", "00:00:01"},
        {946652399, "1999/12/31 23:59:59", "1999/12/31", "23:59:59"},
        {0, "1970/01/01 9:00:00", "1970/01/01", "09:00:00"},
        {-32400, "1970/01/01", "1970/01/01", "00:00:00"},
        {253402268399, "9999/12/31 23:59:59", "9999/12/31", "23:59:59"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.general);
        const auto local = FileTimeToLocalDate(c.seconds);
        ASSERT_TRUE(local.has_value());
        EXPECT_EQ(GeneralDateText(*local), c.general);
        std::string date = "x", time = "y";
        AppendDatePatternText(*local, date);
        AppendTimePatternText(*local, time);
        EXPECT_EQ(date, std::string("x") + c.date);
        EXPECT_EQ(time, std::string("y") + c.time);
    }
}

// The last second glibc converts in Japan, and one 300 years before it: their years do
// not fit in an int.
constexpr std::int64_t kLastConvertibleInJapan = 67768036191676799 - 9 * 3600;

TEST(DateText, UnrepresentableTimesAreAbsent) {
    ASSERT_TRUE(testing::kJapanTimeZone);
    for (const std::int64_t seconds : {INT64_MAX, std::int64_t{67768036191676799}, kLastConvertibleInJapan,
                                       kLastConvertibleInJapan - std::int64_t{300} * 31556952}) {
        EXPECT_FALSE(FileTimeToLocalDate(seconds).has_value()) << seconds;
    }
}

// tmpfs keeps 64-bit times: a file can really carry such a date. It lists as absent.
TEST(DateText, FarFutureFileDateListsAsAbsent) {
    ASSERT_TRUE(testing::kJapanTimeZone);
    char path[] = "/dev/shm/pelmora-date-XXXXXX";
    const int file = ::mkstemp(path);
    if (file < 0) GTEST_SKIP() << "no /dev/shm";
    ::close(file);
    const timespec times[2] = {{kLastConvertibleInJapan, 0}, {kLastConvertibleInJapan, 0}};
    struct stat facts {};
    const bool kept = ::utimensat(AT_FDCWD, path, times, 0) == 0 && ::stat(path, &facts) == 0 &&
                      facts.st_mtime == kLastConvertibleInJapan;
    // Size, write time and access time.
    const EntryFieldSwitches switches{"0", "0", "0", "1", "0", "1", "0", "0", "0", "1", "0", "0", "0", "\"", ","};
    FormattedEntry entry;
    EntryFormatter(switches).Format(path, entry);
    const std::string line = entry.line;
    ::unlink(path);
    if (!kept) GTEST_SKIP() << "/dev/shm keeps no such time";
    EXPECT_EQ(line, "\"0\",\"\",\"\"");
}

// Converted days are kept per thread; each zone is checked on a thread of its own, whose
// days start empty, against the C library's conversion: random times, runs of nearby ones
// (the days kept being hit) and every ten minutes over two years with changes of offset.
TEST(DateText, KeptDaysGiveTheLibrarysDatesInEveryZone) {
    ASSERT_TRUE(testing::kJapanTimeZone);
    const std::string before = std::getenv("TZ");
    for (const char* zone : {"Europe/Berlin", "America/New_York", "Australia/Lord_Howe", "Asia/Tokyo"}) {
        SCOPED_TRACE(zone);
        setenv("TZ", zone, 1);
        tzset();
        std::size_t mismatches = 0, checked = 0;
        std::thread([&] {
            std::mt19937_64 random(42);
            auto check = [&](std::int64_t seconds) {
                const auto time = static_cast<std::time_t>(seconds);
                std::tm parts{};
                ASSERT_NE(localtime_r(&time, &parts), nullptr);
                const auto local = FileTimeToLocalDate(seconds);
                ++checked;
                if (!local || local->year != parts.tm_year + 1900 || local->month != parts.tm_mon + 1 ||
                    local->day != parts.tm_mday || local->hour != parts.tm_hour || local->minute != parts.tm_min ||
                    local->second != parts.tm_sec)
                    ++mismatches;
            };
            std::uniform_int_distribution<std::int64_t> anyTime(-2208988800, 4102444800);  // 1900 to 2100
            std::uniform_int_distribution<std::int64_t> nearby(-3 * 86400, 3 * 86400);
            for (int run = 0; run < 2000; ++run) {
                const std::int64_t base = anyTime(random);
                for (int i = 0; i < 20; ++i) check(base + nearby(random));
            }
            for (std::int64_t seconds = 1577836800; seconds < 1640995200; seconds += 600) check(seconds);
            for (std::int64_t seconds = 1711846800; seconds < 1711846800 + 7200; ++seconds) check(seconds);
        }).join();
        EXPECT_GT(checked, 140000u);
        EXPECT_EQ(mismatches, 0u);
    }
    setenv("TZ", before.c_str(), 1);
    tzset();
}

}  // namespace
}  // namespace pelmora
