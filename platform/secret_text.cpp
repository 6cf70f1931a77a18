#include "platform/secret_text.h"

#include <cstring>
#include <new>
#include <utility>

#include "platform/secret_memory.h"

namespace pelmora::platform {

SecretText::SecretText(std::string_view text) {
    if (text.empty()) return;
    data_ = static_cast<char*>(AllocateSecretMemory(text.size() + 1));
    if (data_ == nullptr) throw std::bad_alloc();
    std::memcpy(data_, text.data(), text.size());
    data_[text.size()] = '\0';
    size_ = text.size();
}

SecretText::SecretText(SecretText&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)), size_(std::exchange(other.size_, 0)) {}

SecretText& SecretText::operator=(const SecretText& other) {
    if (this != &other) *this = SecretText(other);
    return *this;
}

SecretText& SecretText::operator=(SecretText&& other) noexcept {
    if (this != &other) {
        Clear();
        data_ = std::exchange(other.data_, nullptr);
        size_ = std::exchange(other.size_, 0);
    }
    return *this;
}

void SecretText::Clear() {
    if (data_ != nullptr) FreeSecretMemory(data_, size_ + 1);
    data_ = nullptr;
    size_ = 0;
}

}  // namespace pelmora::platform
