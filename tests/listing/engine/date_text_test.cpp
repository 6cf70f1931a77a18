#include "listing/engine/date_text.h"

#include <gtest/gtest.h>

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

TEST(DateText, UnrepresentableTimesAreAbsent) {
    EXPECT_FALSE(FileTimeToLocalDate(INT64_MAX).has_value());
}

}  // namespace
}  // namespace pelmora
