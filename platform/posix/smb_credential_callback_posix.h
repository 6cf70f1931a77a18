#pragma once
// The answer every libsmbclient context of the program gives when the library asks for
// credentials on connecting: the run's credentials for the server, or else an empty user and
// password (the guest try).

#include <libsmbclient.h>

namespace pelmora::platform {

// The callback for smbc_setFunctionAuthDataWithContext. Each field gets at most its size less
// one byte and always ends in a null byte; the workgroup is replaced only by a domain the
// credentials name.
void SupplyRunCredentials(SMBCCTX* context, const char* server, const char* share, char* workgroup,
                          int workgroupSize, char* user, int userSize, char* password, int passwordSize);

}  // namespace pelmora::platform
