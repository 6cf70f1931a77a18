#pragma once
// The system's collation of text as the Japanese locale orders it: case, full/half width and
// hiragana/katakana do not count, accents do. Texts are UTF-8; bytes that are not UTF-8
// collate as U+FFFD.

#include <array>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace pelmora::platform {

// False when the system has no such collation: the program's order is then the bytes'.
bool TextCollationAvailable();

// Negative, zero or positive as a collates before, with or after b. Only meaningful when
// the collation is available.
int CollateText(std::string_view a, std::string_view b);

// Makes collation keys: keys compare bytewise as CollateText compares their texts. A maker
// reuses its buffers across calls and is not meant to be shared between threads; one made
// with its own collator copy lets many threads make keys at once without meeting.
class CollationKeyMaker {
public:
    enum class Collator { Shared, OwnCopy };
    explicit CollationKeyMaker(Collator collator = Collator::Shared);
    ~CollationKeyMaker();
    CollationKeyMaker(const CollationKeyMaker&) = delete;
    CollationKeyMaker& operator=(const CollationKeyMaker&) = delete;

    // Appends the key of text to out (out is not cleared); nothing when the collation is
    // not available. A key holds no NUL byte, so a NUL can end it.
    void AppendKey(std::string_view text, std::string& out);

private:
    struct State;
    std::unique_ptr<State> state_;
};

// For each ASCII character from space to tilde, its rank in the collation (equal for letters
// that differ in case only), 0 for the others: when the collation orders these characters
// one by one, most comparisons of paths need no collation at all. Not usable when that
// cannot be shown from the collation's own data.
struct AsciiRanks {
    bool usable = false;
    std::array<unsigned char, 256> rank{};
    std::vector<std::string> risky;  // UTF-8 of the characters that make a text unfit
};

// Worked out afresh on each call: keep the result.
AsciiRanks CollationAsciiRanks();

}  // namespace pelmora::platform
