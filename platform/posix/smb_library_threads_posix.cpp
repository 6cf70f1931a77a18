#include "platform/posix/smb_library_threads_posix.h"

#include <dlfcn.h>
#include <libsmbclient.h>
#include <pthread.h>

#include <cerrno>
#include <new>

namespace pelmora::platform {

namespace {

// The table the utility library takes (libsamba-util, 4.17): locks, then thread-local slots.
extern "C" {
struct LibraryThreadFunctions {
    int (*createLock)(const char* name, void** lock, const char* location);
    void (*destroyLock)(void* lock, const char* location);
    int (*useLock)(void* lock, int how, const char* location);
    int (*createSlot)(const char* name, void** slot, const char* location);
    void (*destroySlot)(void** slot, const char* location);
    int (*setSlot)(void* slot, const void* value, const char* location);
    void* (*getSlot)(void* slot, const char* location);
};
}

constexpr int kUnlock = 2;  // 1 locks

int CreateLock(const char*, void** lock, const char*) {
    auto* made = new (std::nothrow) pthread_mutex_t;
    if (made == nullptr) return ENOMEM;
    pthread_mutex_init(made, nullptr);
    *lock = made;
    return 0;
}

void DestroyLock(void* lock, const char*) {
    auto* mutex = static_cast<pthread_mutex_t*>(lock);
    pthread_mutex_destroy(mutex);
    delete mutex;
}

int UseLock(void* lock, int how, const char*) {
    auto* mutex = static_cast<pthread_mutex_t*>(lock);
    return how == kUnlock ? pthread_mutex_unlock(mutex) : pthread_mutex_lock(mutex);
}

int CreateSlot(const char*, void** slot, const char*) {
    auto* key = new (std::nothrow) pthread_key_t;
    if (key == nullptr) return ENOMEM;
    if (const int failed = pthread_key_create(key, nullptr); failed != 0) {
        delete key;
        return failed;
    }
    *slot = key;
    return 0;
}

void DestroySlot(void** slot, const char*) {
    if (*slot == nullptr) return;
    auto* key = static_cast<pthread_key_t*>(*slot);
    pthread_key_delete(*key);
    delete key;
    *slot = nullptr;
}

// In 4.17 the library's one-time set-up of its slot (the talloc stack frame's) never runs
// when it was built with pthreads, so it asks for a slot it never made: the null slot. Each
// thread keeps that one here. The frame is the only user of a slot in that version.
thread_local const void* nullSlotValue = nullptr;

int SetSlot(void* slot, const void* value, const char*) {
    if (slot == nullptr) {
        nullSlotValue = value;
        return 0;
    }
    return pthread_setspecific(*static_cast<pthread_key_t*>(slot), value);
}

void* GetSlot(void* slot, const char*) {
    if (slot == nullptr) return const_cast<void*>(nullSlotValue);
    return pthread_getspecific(*static_cast<pthread_key_t*>(slot));
}

constexpr LibraryThreadFunctions kThreadFunctions{CreateLock, DestroyLock, UseLock,  CreateSlot,
                                                  DestroySlot, SetSlot,     GetSlot};

bool SetUpLibraryThreads() {
    if (!SmbLibraryVersionServesThreads(smbc_version())) return false;
    using SetFunctions = int (*)(const LibraryThreadFunctions*);
    const auto setFunctions = reinterpret_cast<SetFunctions>(dlsym(RTLD_DEFAULT, "smb_thread_set_functions"));
    return setFunctions != nullptr && setFunctions(&kThreadFunctions) == 0;
}

}  // namespace

std::mutex& SmbLibraryLock() {
    static std::mutex* lock = new std::mutex;
    return *lock;
}

bool SmbLibraryServesThreads() {
    static const bool serves = SetUpLibraryThreads();
    return serves;
}

bool SmbLibraryVersionServesThreads(std::string_view version) {
    // The table's layout and the null slot above are those of 4.17; later versions changed
    // the table, so they keep to one call at a time until checked.
    return version.substr(0, 5) == "4.17.";
}

}  // namespace pelmora::platform
