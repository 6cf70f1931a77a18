#pragma once
// A text that is a secret (a password): its bytes live only in secret memory
// (secret_memory.h), out of core dumps, and are wiped when the text is changed or goes.
// Copies are secrets of their own. Never a short-string buffer inside the object, which
// would put the bytes wherever the object lives.

#include <cstddef>
#include <string_view>

namespace pelmora::platform {

class SecretText {
public:
    SecretText() = default;
    SecretText(std::string_view text);  // NOLINT: as easy to give as a std::string
    SecretText(const char* text) : SecretText(std::string_view(text)) {}  // NOLINT
    SecretText(const SecretText& other) : SecretText(other.View()) {}
    SecretText(SecretText&& other) noexcept;
    SecretText& operator=(const SecretText& other);
    SecretText& operator=(SecretText&& other) noexcept;
    ~SecretText() { Clear(); }

    std::string_view View() const { return {data_ != nullptr ? data_ : "", size_}; }
    // NUL-terminated.
    const char* CString() const { return data_ != nullptr ? data_ : ""; }
    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }

    // Wipes the bytes and gives the memory back.
    void Clear();

    friend bool operator==(const SecretText& a, std::string_view b) { return a.View() == b; }

private:
    char* data_ = nullptr;
    std::size_t size_ = 0;
};

}  // namespace pelmora::platform
