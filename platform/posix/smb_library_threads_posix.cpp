#include "platform/posix/smb_library_threads_posix.h"

#include <dlfcn.h>
#include <libsmbclient.h>
#include <pthread.h>

#include <cerrno>
#include <mutex>
#include <new>
#include <string_view>
#include <vector>

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

// A thread-local slot of the library's. The library makes its talloc stack-frame record
// once per thread that calls it and never frees it; walks start threads of their own, so
// the record of a thread that has ended is kept here and handed to the next thread that
// would make one (its stack is empty between calls). Other slots' values stay with their
// thread.
struct Slot {
    pthread_key_t key;
    bool recycles = false;
    std::mutex sparesLock;
    std::vector<const void*> spares;
};

// What a thread holds in a slot: its value, and where the value goes when the thread ends.
struct Cell {
    Slot* slot;
    const void* value;
};

void ThreadEnded(void* data) {
    auto* cell = static_cast<Cell*>(data);
    if (cell->slot->recycles && cell->value != nullptr) {
        std::lock_guard lock(cell->slot->sparesLock);
        cell->slot->spares.push_back(cell->value);
    }
    delete cell;
}

int CreateSlot(const char* name, void** made, const char*) {
    auto* slot = new (std::nothrow) Slot;
    if (slot == nullptr) return ENOMEM;
    if (const int failed = pthread_key_create(&slot->key, ThreadEnded); failed != 0) {
        delete slot;
        return failed;
    }
    slot->recycles = name != nullptr && std::string_view(name) == "talloc_stackframe";
    *made = slot;
    return 0;
}

void DestroySlot(void** made, const char*) {
    if (*made == nullptr) return;
    auto* slot = static_cast<Slot*>(*made);
    pthread_key_delete(slot->key);
    delete slot;
    *made = nullptr;
}

int SetSlot(void* made, const void* value, const char*) {
    if (made == nullptr) return EINVAL;
    auto* slot = static_cast<Slot*>(made);
    if (auto* cell = static_cast<Cell*>(pthread_getspecific(slot->key))) {
        cell->value = value;
        return 0;
    }
    auto* cell = new (std::nothrow) Cell{slot, value};
    if (cell == nullptr) return ENOMEM;
    if (const int failed = pthread_setspecific(slot->key, cell); failed != 0) {
        delete cell;
        return failed;
    }
    return 0;
}

// The library reads the slot before it has made it (the first call of all): nothing yet.
void* GetSlot(void* made, const char*) {
    if (made == nullptr) return nullptr;
    auto* slot = static_cast<Slot*>(made);
    if (const auto* cell = static_cast<const Cell*>(pthread_getspecific(slot->key)))
        return const_cast<void*>(cell->value);
    if (!slot->recycles) return nullptr;
    const void* spare = nullptr;
    {
        std::lock_guard lock(slot->sparesLock);
        if (slot->spares.empty()) return nullptr;
        spare = slot->spares.back();
        slot->spares.pop_back();
    }
    if (SetSlot(made, spare, nullptr) != 0) return nullptr;
    return const_cast<void*>(spare);
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
    // The table's layout and the slot users above are those of 4.17; the table has changed
    // between versions, so any other keeps to one call at a time until checked.
    return version.substr(0, 5) == "4.17.";
}

}  // namespace pelmora::platform
