#include "platform/network_discovery.h"
#include "platform/smb_file_system.h"

#include <avahi-client/client.h>
#include <avahi-client/lookup.h>
#include <avahi-common/error.h>
#include <avahi-common/simple-watch.h>
#include <libsmbclient.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include "i18n/library_error_texts.h"
#include "platform/posix/smb_credential_callback_posix.h"
#include "platform/posix/smb_library_threads_posix.h"
#include "platform/smb_credentials.h"
#include "platform/smb_url.h"

namespace pelmora::platform {

namespace {

constexpr char kSmbProviderName[] = "Windows Network (SMB)";
constexpr char kDnsSdGroupName[] = "DNS-SD (_smb._tcp)";
constexpr char kDnsSdLocator[] = "dns-sd:_smb._tcp";

// Avahi reports its own error numbers; their text comes from avahi_strerror.
class AvahiErrorCategory : public std::error_category {
public:
    const char* name() const noexcept override { return "avahi"; }
    std::string message(int code) const override { return LibraryErrorText(avahi_strerror(code)); }
};

const std::error_category& AvahiCategory() {
    static const AvahiErrorCategory category;
    return category;
}

std::error_code LastSmbError() {
    // libsmbclient reports through errno; a failure without one is still a failure.
    return {errno != 0 ? errno : EIO, std::generic_category()};
}

// The browsing context: its own, so that browsing never disturbs an SMB folder being read.
class SmbContext {
public:
    explicit SmbContext(const SmbDiscoveryOptions& options) {
        SmbLibraryServesThreads();  // before the library's first use
        std::lock_guard library(SmbLibraryLock());
        context_ = smbc_new_context();
        if (!context_) return;
        smbc_setDebug(context_, 0);
        smbc_setTimeout(context_, options.timeoutMs);
        smbc_setPort(context_, options.port != 0 ? options.port : SmbServerPort());
        smbc_setFunctionAuthDataWithContext(context_, SupplyRunCredentials);
        if (!smbc_init_context(context_)) {
            smbc_free_context(context_, 1);
            context_ = nullptr;
        }
    }
    ~SmbContext() {
        std::lock_guard library(SmbLibraryLock());
        if (context_) smbc_free_context(context_, 1);
    }
    SmbContext(const SmbContext&) = delete;
    SmbContext& operator=(const SmbContext&) = delete;

    SMBCCTX* Get() const { return context_; }

private:
    SMBCCTX* context_ = nullptr;
};

// One smb:// folder listing: workgroups, servers of a workgroup, or shares of a server.
class SmbListing : public NetworkEnumeration {
public:
    // The listing keeps its context while it lives, also when newer credentials replace it.
    // server: the server whose shares are listed (empty above that level).
    SmbListing(std::shared_ptr<SmbContext> owner, const std::string& url, NetworkResourceKind parentKind,
               std::string server = {})
        : owner_(std::move(owner)),
          context_(owner_->Get()),
          url_(url),
          parentKind_(parentKind),
          server_(std::move(server)) {}
    ~SmbListing() override {
        std::lock_guard library(SmbLibraryLock());
        if (dir_) smbc_getFunctionClosedir(context_)(context_, dir_);
    }

    // Browsing connects to servers the file system may not know: every call takes its turn.
    bool Open(std::error_code& error) {
        std::lock_guard library(SmbLibraryLock());
        errno = 0;
        dir_ = context_ ? smbc_getFunctionOpendir(context_)(context_, url_.c_str()) : nullptr;
        if (!dir_) error = context_ ? LastSmbError() : std::error_code(ENOMEM, std::generic_category());
        return dir_ != nullptr;
    }

    bool Next(NetworkResource& resource, std::error_code& error) override {
        std::lock_guard library(SmbLibraryLock());
        for (;;) {
            errno = 0;
            const smbc_dirent* entry = smbc_getFunctionReaddir(context_)(context_, dir_);
            if (!entry) {
                if (errno != 0) error = LastSmbError();
                return false;
            }
            if (Fill(*entry, resource)) return true;
        }
    }

private:
    // False for the entries the tree does not show (printers, IPC, files).
    bool Fill(const smbc_dirent& entry, NetworkResource& resource) const {
        const std::string name(entry.name);
        if (name.empty()) return false;
        switch (entry.smbc_type) {
            case SMBC_WORKGROUP:
                resource = {NetworkResourceKind::Group, name, true, SmbUrl(name)};
                return true;
            case SMBC_SERVER:
                resource = SmbServerResource(name);
                return true;
            case SMBC_FILE_SHARE:
                resource = {NetworkResourceKind::Share, "//" + server_ + "/" + name, false,
                            SmbUrl(server_, "/" + name)};
                return parentKind_ == NetworkResourceKind::Server;
            default:
                return false;
        }
    }

    std::shared_ptr<SmbContext> owner_;
    SMBCCTX* context_;
    std::string url_;
    NetworkResourceKind parentKind_;
    std::string server_;
    SMBCFILE* dir_ = nullptr;
};

// The provider's level: the DNS-SD group (no network needed to list it), then the NetBIOS
// workgroups. When NetBIOS browsing fails, the group stays and the failure is reported.
class ProviderListing : public NetworkEnumeration {
public:
    explicit ProviderListing(std::shared_ptr<SmbContext> context) : context_(std::move(context)) {}
    bool Next(NetworkResource& resource, std::error_code& error) override {
        if (!groupGiven_) {
            groupGiven_ = true;
            resource = {NetworkResourceKind::Group, kDnsSdGroupName, true, kDnsSdLocator};
            return true;
        }
        if (!workgroups_) {
            workgroups_ = std::make_unique<SmbListing>(context_, SmbUrl({}), NetworkResourceKind::Provider);
            if (!workgroups_->Open(error)) {
                failed_ = true;
                return false;
            }
        }
        if (failed_) return false;
        return workgroups_->Next(resource, error);
    }

private:
    std::shared_ptr<SmbContext> context_;
    bool groupGiven_ = false;
    bool failed_ = false;
    std::unique_ptr<SmbListing> workgroups_;
};

// The host names of the servers that announce _smb._tcp, in the order they answered.
struct DnsSdBrowse {
    AvahiClient* client = nullptr;
    std::vector<std::string> hosts;
    int pendingResolves = 0;
    bool allForNow = false;
    int failure = 0;
};

void Resolved(AvahiServiceResolver* resolver, AvahiIfIndex, AvahiProtocol, AvahiResolverEvent event, const char*,
              const char*, const char*, const char* hostName, const AvahiAddress*, std::uint16_t, AvahiStringList*,
              AvahiLookupResultFlags, void* data) {
    auto& browse = *static_cast<DnsSdBrowse*>(data);
    if (event == AVAHI_RESOLVER_FOUND && hostName && *hostName &&
        std::find(browse.hosts.begin(), browse.hosts.end(), hostName) == browse.hosts.end()) {
        browse.hosts.emplace_back(hostName);
    }
    --browse.pendingResolves;
    avahi_service_resolver_free(resolver);
}

void Browsed(AvahiServiceBrowser*, AvahiIfIndex interface, AvahiProtocol protocol, AvahiBrowserEvent event,
             const char* name, const char* type, const char* domain, AvahiLookupResultFlags, void* data) {
    auto& browse = *static_cast<DnsSdBrowse*>(data);
    switch (event) {
        case AVAHI_BROWSER_NEW:
            if (avahi_service_resolver_new(browse.client, interface, protocol, name, type, domain, AVAHI_PROTO_UNSPEC,
                                           AvahiLookupFlags(0), Resolved, &browse)) {
                ++browse.pendingResolves;
            }
            break;
        case AVAHI_BROWSER_ALL_FOR_NOW:
            browse.allForNow = true;
            break;
        case AVAHI_BROWSER_FAILURE:
            browse.failure = avahi_client_errno(browse.client);
            break;
        default:
            break;
    }
}

std::unique_ptr<NetworkEnumeration> BrowseDnsSd(int timeoutMs, std::error_code& error) {
    AvahiSimplePoll* poll = avahi_simple_poll_new();
    if (!poll) {
        error = {AVAHI_ERR_NO_MEMORY, AvahiCategory()};
        return nullptr;
    }
    DnsSdBrowse browse;
    int failure = 0;
    browse.client = avahi_client_new(avahi_simple_poll_get(poll), AvahiClientFlags(0), nullptr, nullptr, &failure);
    if (!browse.client) {
        avahi_simple_poll_free(poll);
        error = {failure, AvahiCategory()};
        return nullptr;
    }
    AvahiServiceBrowser* browser = avahi_service_browser_new(browse.client, AVAHI_IF_UNSPEC, AVAHI_PROTO_UNSPEC,
                                                             "_smb._tcp", nullptr, AvahiLookupFlags(0), Browsed,
                                                             &browse);
    if (!browser) browse.failure = avahi_client_errno(browse.client);
    // The servers that answer within the time-out; a silent network is no failure.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (browser && browse.failure == 0 && !(browse.allForNow && browse.pendingResolves == 0) &&
           std::chrono::steady_clock::now() < deadline) {
        if (avahi_simple_poll_iterate(poll, 100) != 0) break;
    }
    const int failed = browse.failure;
    avahi_client_free(browse.client);  // frees the browser and the resolvers still running
    avahi_simple_poll_free(poll);
    if (failed != 0) {
        error = {failed, AvahiCategory()};
        return nullptr;
    }
    std::vector<NetworkResource> servers;
    for (const std::string& host : browse.hosts) servers.push_back(SmbServerResource(host));
    return std::make_unique<FixedNetworkEnumeration>(std::move(servers));
}

class SmbNetworkDiscovery : public NetworkDiscovery {
public:
    explicit SmbNetworkDiscovery(const SmbDiscoveryOptions& options) : options_(options) {}

    std::unique_ptr<NetworkEnumeration> OpenLevel(const NetworkResource* parent, std::error_code& error) override {
        error.clear();
        if (!parent) {
            return std::make_unique<FixedNetworkEnumeration>(std::vector<NetworkResource>{
                {NetworkResourceKind::Provider, kSmbProviderName, true, SmbUrl({})}});
        }
        if (parent->locator == kDnsSdLocator) return BrowseDnsSd(options_.timeoutMs, error);
        if (parent->kind == NetworkResourceKind::Provider) return std::make_unique<ProviderListing>(Context());
        return OpenAskingForCredentials(*parent, error);
    }

private:
    // A server that refuses the guest its list of shares: the user is asked (as for a share),
    // and asked once more after a refused answer; then the level fails with the refusal.
    std::unique_ptr<NetworkEnumeration> OpenAskingForCredentials(const NetworkResource& parent,
                                                                 std::error_code& error) {
        SmbCredentialStore& store = SmbCredentialStore::ForThisRun();
        // "//server": the name as the user sees it, the store's key.
        const std::string server = parent.remoteName.substr(std::min<std::size_t>(2, parent.remoteName.size()));
        for (int asked = 0;; ++asked) {
            auto listing = std::make_unique<SmbListing>(Context(), parent.locator, parent.kind, server);
            if (listing->Open(error)) {
                error.clear();  // the refusals before it
                return listing;
            }
            const bool refused = error == std::errc::permission_denied || error == std::errc::operation_not_permitted;
            if (!refused || parent.kind != NetworkResourceKind::Server) return nullptr;
            if (asked == 2) {
                store.Forget(server);
                return nullptr;
            }
            SmbCredentialAsker* asker = store.Asker();
            if (asker == nullptr || !asker->CanAskOnThisThread()) return nullptr;
            // Credentials known before were refused too: the question says so.
            std::optional<SmbCredentials> answer = asker->Ask(server, "", asked > 0 || store.Find(server));
            if (!answer) return nullptr;
            store.Remember(server, std::move(*answer));
        }
    }

    // A context made with the credentials the run knows now: libsmbclient keeps the
    // connections it made as a guest and would use them again.
    std::shared_ptr<SmbContext> Context() {
        // A reading the window gave up may still run beside the next one.
        std::lock_guard lock(contextLock_);
        const std::uint64_t generation = SmbCredentialStore::ForThisRun().Generation();
        if (!context_ || generation != contextGeneration_) {
            context_ = std::make_shared<SmbContext>(options_);
            contextGeneration_ = generation;
        }
        return context_;
    }

    SmbDiscoveryOptions options_;
    std::mutex contextLock_;
    std::shared_ptr<SmbContext> context_;
    std::uint64_t contextGeneration_ = 0;
};

}  // namespace

std::unique_ptr<NetworkDiscovery> MakeSmbNetworkDiscovery(const SmbDiscoveryOptions& options) {
    return std::make_unique<SmbNetworkDiscovery>(options);
}

NetworkResource SmbServerResource(const std::string& host) {
    return {NetworkResourceKind::Server, "//" + host, true, SmbUrl(host)};
}

}  // namespace pelmora::platform
