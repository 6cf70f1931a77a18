#pragma once
// libsmbclient serves several threads at once only when it has been handed thread functions
// (locks and thread-local storage) before its first use, and then only with one context per
// thread. Debian's build documents that mode but does not export the function that sets it
// up, so it is set up here through the utility library's own entry point, and only for the
// library version whose function table and behaviour were checked; any other version serves
// one call at a time, under SmbLibraryLock.

#include <mutex>
#include <string_view>

namespace pelmora::platform {

// Held around every call into libsmbclient that may not run beside another (see SmbCall).
std::mutex& SmbLibraryLock();

// Sets the library up for threads the first time; true when that worked. Call before the
// library is used for anything else (before the first context is made).
bool SmbLibraryServesThreads();

// True for the library versions whose thread set-up this program knows ("4.17.12-Debian").
bool SmbLibraryVersionServesThreads(std::string_view version);

// One call into the library. It holds the lock unless the library serves threads and the
// call cannot start a connection (its context already serves the server it asks).
class SmbCall {
public:
    explicit SmbCall(bool connectionReady) : lock_(SmbLibraryLock(), std::defer_lock) {
        if (!connectionReady || !SmbLibraryServesThreads()) lock_.lock();
    }

private:
    std::unique_lock<std::mutex> lock_;
};

}  // namespace pelmora::platform
