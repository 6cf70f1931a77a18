#pragma once
// The local time zone, fixed for the whole run.

namespace pelmora::platform {

// Without a time zone named in the environment, the C library checks the system's zone file
// again on every local-time conversion; naming that file once spares a listing of thousands
// of dates those checks. Changes nothing when a zone is already named or there is no zone
// file. Call at the start of main, before any thread starts.
void PinLocalTimeZone();

}  // namespace pelmora::platform
