#include "platform/time_zone.h"

#include <stdlib.h>
#include <unistd.h>

namespace pelmora::platform {

void PinLocalTimeZone() {
    constexpr const char* kZoneFile = "/etc/localtime";
    if (getenv("TZ") != nullptr || access(kZoneFile, R_OK) != 0) return;
    // The leading ":" names a zone file, which the C library reads once.
    setenv("TZ", ":/etc/localtime", 0);
}

}  // namespace pelmora::platform
