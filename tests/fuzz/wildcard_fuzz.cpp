// File patterns on any pattern and name: letters match without regard to ASCII case, "*"
// matches everything, and a plain name matches itself.

#include <string>

#include "listing/text/wildcard_pattern.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

std::string FlipAsciiCase(std::string_view text) {
    std::string flipped(text);
    for (char& c : flipped) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        } else if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return flipped;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    pelmora::fuzz::FuzzInput input(data, size);
    const std::string_view patternList = input.Text();
    const std::string_view name = input.Rest();

    const pelmora::WildcardPattern pattern(patternList);
    const bool matches = pattern.Matches(name);
    PELMORA_FUZZ_CHECK(pattern.Matches(FlipAsciiCase(name)) == matches);
    PELMORA_FUZZ_CHECK(pelmora::WildcardPattern("*").Matches(name));
    if (pattern.MatchesEverything()) PELMORA_FUZZ_CHECK(matches);

    const bool plain = !patternList.empty() && patternList.find_first_of("*?; ") == std::string_view::npos &&
                       patternList.back() != '.';
    if (plain) {
        PELMORA_FUZZ_CHECK(pattern.Matches(patternList));
        PELMORA_FUZZ_CHECK(pattern.Matches(FlipAsciiCase(patternList)));
        // A pattern with its name as prefix and "*" after it matches the name as well.
        PELMORA_FUZZ_CHECK(pelmora::WildcardPattern(std::string(patternList) + "*").Matches(patternList));
    }
    return 0;
}
