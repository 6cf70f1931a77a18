#pragma once
// Local time in these tests is Japan's (UTC+9, no daylight saving), fixed before anything
// reads the zone, so expected texts do not depend on the machine.

#include <cstdlib>
#include <ctime>

namespace pelmora::testing {

inline const bool kJapanTimeZone = [] {
    setenv("TZ", "JST-9", 1);
    tzset();
    return true;
}();

}  // namespace pelmora::testing
