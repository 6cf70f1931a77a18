#include "platform/secret_memory.h"

#include <string.h>  // explicit_bzero
#include <sys/mman.h>
#include <unistd.h>

#include <mutex>
#include <vector>

namespace pelmora::platform {

namespace {

std::size_t PageSize() {
    static const std::size_t size = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
    return size;
}

std::size_t PagesFor(std::size_t size) { return (size + PageSize() - 1) / PageSize(); }

// Wiped blocks kept for the next secret, by their number of pages.
struct KeptBlock {
    void* memory;
    std::size_t pages;
};

std::mutex& KeptMutex() {
    static std::mutex mutex;
    return mutex;
}

std::vector<KeptBlock>& Kept() {
    // Never destroyed: secrets may be freed by other objects' destructors at exit.
    static auto* kept = new std::vector<KeptBlock>;
    return *kept;
}

}  // namespace

void* AllocateSecretMemory(std::size_t size) {
    if (size == 0) size = 1;
    const std::size_t pages = PagesFor(size);
    {
        std::lock_guard lock(KeptMutex());
        auto& kept = Kept();
        for (auto block = kept.begin(); block != kept.end(); ++block) {
            if (block->pages == pages) {
                void* memory = block->memory;
                kept.erase(block);
                return memory;
            }
        }
    }
    void* memory = mmap(nullptr, pages * PageSize(), PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (memory == MAP_FAILED) return nullptr;
    // Left out of core dumps. (A forked child keeps the pages: the isolated calls run code
    // of this program there, which must find the memory it knows.)
    madvise(memory, pages * PageSize(), MADV_DONTDUMP);
    return memory;
}

void FreeSecretMemory(void* memory, std::size_t size) {
    if (memory == nullptr) return;
    if (size == 0) size = 1;
    const std::size_t pages = PagesFor(size);
    WipeMemory(memory, pages * PageSize());
    std::lock_guard lock(KeptMutex());
    Kept().push_back({memory, pages});
}

void WipeMemory(void* memory, std::size_t size) {
    if (memory != nullptr && size > 0) explicit_bzero(memory, size);
}

}  // namespace pelmora::platform
