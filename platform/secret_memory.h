#pragma once
// Memory for secrets such as passwords: whole pages that are left out of the process's core
// dumps, and wiped when given back. Pages given back stay with the process, wiped, for the
// next secret, so a secret's bytes never go back to the system or to the general heap.

#include <cstddef>

namespace pelmora::platform {

// At least `size` bytes (size > 0) at the start of a page, zero-filled; null when the system
// gives no memory.
void* AllocateSecretMemory(std::size_t size);

// Wipes the block AllocateSecretMemory gave for this size and keeps it for reuse.
void FreeSecretMemory(void* memory, std::size_t size);

// Overwrites the bytes with zeros in a way the compiler does not leave out.
void WipeMemory(void* memory, std::size_t size);

// A block of secret memory that is wiped and given back however its owner's scope ends.
class SecretBlock {
public:
    explicit SecretBlock(std::size_t size) : size_(size), bytes_(static_cast<char*>(AllocateSecretMemory(size))) {}
    ~SecretBlock() { FreeSecretMemory(bytes_, size_); }
    SecretBlock(const SecretBlock&) = delete;
    SecretBlock& operator=(const SecretBlock&) = delete;
    // Null when the system gave no memory.
    char* get() const { return bytes_; }

private:
    std::size_t size_;
    char* bytes_;
};

}  // namespace pelmora::platform
