#include "platform/time_zone.h"

namespace pelmora::platform {

// Windows reads its time zone from the system once per process: nothing to pin.
void PinLocalTimeZone() {}

}  // namespace pelmora::platform
