#pragma once
// Sort keys for ordering many texts: the key of each text is made once and keys compare
// bytewise (std::string's operator<) in the order CompareTextThenBytes gives.

#include <unicode/ucol.h>
#include <unicode/utypes.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace pelmora {

// Buffers reused across the keys one caller makes.
struct CollationBuffers {
    std::vector<UChar> wide;
    std::vector<std::uint8_t> key = std::vector<std::uint8_t>(256);
};

// Appends the collation key of text without its terminating NUL (nothing without a
// collator): keys compare as CompareText does, bar its byte fallback. Such a key holds no
// NUL byte.
void AppendCollationKey(std::string_view text, CollationBuffers& buffers, std::string& out);

// The whole key of a text: its collation key, then the text's own bytes to break ties. One
// maker reuses its buffers across calls; it is not meant to be shared between threads.
class TextSortKeyMaker {
public:
    TextSortKeyMaker();
    ~TextSortKeyMaker();
    TextSortKeyMaker(const TextSortKeyMaker&) = delete;
    TextSortKeyMaker& operator=(const TextSortKeyMaker&) = delete;

    // Appends the key of text to out (out is not cleared).
    void AppendKey(std::string_view text, std::string& out);
    std::string Key(std::string_view text);

private:
    std::unique_ptr<CollationBuffers> buffers_;
};

// Keys whose bytes alone order texts as CompareText does: the collation key without its
// terminating NUL, or, without a collator, the text's own bytes. Texts the order sees as equal
// get equal keys, so a sort on them keeps such texts in the order it was given them. Each
// maker works with a collator of its own (an ICU collator instance must not be used by two
// threads at once): keep one per thread and make keys on many threads at once.
class OrderKeyMaker {
public:
    OrderKeyMaker();
    ~OrderKeyMaker();
    OrderKeyMaker(const OrderKeyMaker&) = delete;
    OrderKeyMaker& operator=(const OrderKeyMaker&) = delete;

    // Appends the key of text to out (out is not cleared).
    void AppendKey(std::string_view text, std::string& out);

private:
    UCollator* collator_;  // null: keys are the texts' bytes
    CollationBuffers buffers_;
};

}  // namespace pelmora
