#pragma once
// What the fuzz targets share: a check that stops the run with a finding, and a reader that
// splits the input into the pieces a target needs.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#define PELMORA_FUZZ_CHECK(condition)                                                   \
    do {                                                                                 \
        if (!(condition)) {                                                              \
            std::fprintf(stderr, "%s:%d: invariant broken: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                \
        }                                                                                \
    } while (0)

namespace pelmora::fuzz {

// Takes the input apart: small numbers from its front, texts up to a separator byte.
class FuzzInput {
public:
    FuzzInput(const std::uint8_t* data, std::size_t size)
        : rest_(reinterpret_cast<const char*>(data), size) {}

    std::uint8_t Byte() {
        if (rest_.empty()) return 0;
        const auto byte = static_cast<std::uint8_t>(rest_.front());
        rest_.remove_prefix(1);
        return byte;
    }

    // The text up to the next separator (which is dropped), or all that is left.
    std::string_view Text(char separator = '\0') {
        const std::size_t end = rest_.find(separator);
        const std::string_view text = rest_.substr(0, end);
        rest_.remove_prefix(end == std::string_view::npos ? rest_.size() : end + 1);
        return text;
    }

    std::string_view Rest() const { return rest_; }
    bool Empty() const { return rest_.empty(); }

private:
    std::string_view rest_;
};

}  // namespace pelmora::fuzz
