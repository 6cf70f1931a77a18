#include "platform/posix/smb_credential_callback_posix.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <string_view>

#include "platform/smb_credentials.h"
#include "platform/smb_url.h"

namespace pelmora::platform {
namespace {

void CopyInto(char* field, int capacity, std::string_view text) {
    if (field == nullptr || capacity <= 0) return;
    const std::size_t length = std::min(text.size(), static_cast<std::size_t>(capacity - 1));
    if (length > 0) std::memcpy(field, text.data(), length);  // an empty view may hold no pointer
    field[length] = '\0';
}

}  // namespace

void SupplyRunCredentials(SMBCCTX*, const char* server, const char*, char* workgroup, int workgroupSize, char* user,
                          int userSize, char* password, int passwordSize) {
    // The server as the URL spelled it: the host the library connects to once unescaped.
    const std::optional<SmbCredentials> known =
        SmbCredentialStore::ForThisRun().Find(ServerFromLibrary(server != nullptr ? server : ""));
    CopyInto(user, userSize, known ? std::string_view(known->user) : std::string_view());
    CopyInto(password, passwordSize, known ? known->password.View() : std::string_view());
    if (known && !known->domain.empty()) CopyInto(workgroup, workgroupSize, known->domain);
}

}  // namespace pelmora::platform
