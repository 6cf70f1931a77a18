#include "platform/smb_credentials.h"

#include <algorithm>
#include <cctype>

namespace pelmora::platform {

SmbCredentialStore& SmbCredentialStore::ForThisRun() {
    static SmbCredentialStore store;
    return store;
}

std::string SmbCredentialStore::KeyOf(const std::string& server) {
    std::string key = server;
    std::transform(key.begin(), key.end(), key.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return key;
}

void SmbCredentialStore::Remember(const std::string& server, SmbCredentials credentials) {
    std::lock_guard lock(mutex_);
    byServer_[KeyOf(server)] = std::move(credentials);
    ++generation_;
}

std::optional<SmbCredentials> SmbCredentialStore::Find(const std::string& server) const {
    std::lock_guard lock(mutex_);
    auto found = byServer_.find(KeyOf(server));
    if (found == byServer_.end()) return std::nullopt;
    return found->second;
}

void SmbCredentialStore::Forget(const std::string& server) {
    std::lock_guard lock(mutex_);
    auto found = byServer_.find(KeyOf(server));
    if (found == byServer_.end()) return;
    // The password's memory is wiped as it goes.
    byServer_.erase(found);
    ++generation_;
}

std::uint64_t SmbCredentialStore::Generation() const {
    std::lock_guard lock(mutex_);
    return generation_;
}

void SmbCredentialStore::SetAsker(SmbCredentialAsker* asker) {
    std::lock_guard lock(mutex_);
    asker_ = asker;
}

SmbCredentialAsker* SmbCredentialStore::Asker() const {
    std::lock_guard lock(mutex_);
    return asker_;
}

}  // namespace pelmora::platform
