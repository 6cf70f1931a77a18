#include "listing/text/wildcard_pattern.h"

#include "listing/text/utf8_text.h"
#include "settings/trim_spaces.h"

namespace pelmora {

namespace {

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// Length of the character starting at text[at]: a whole UTF-8 sequence, or one byte when
// the bytes there are not well-formed UTF-8, so "?" never splits a character.
std::size_t CharacterLength(std::string_view text, std::size_t at) {
    const std::size_t length = Utf8SequenceLength(text, at);
    return length == 0 ? 1 : length;
}

// Iterative glob match with one back-tracking point per "*": linear in practice and
// without recursion, whatever the pattern. "?" and "*" step over whole characters, or
// over single bytes for a pattern read byte by byte.
bool GlobMatches(std::string_view glob, std::string_view name, bool byBytes) {
    auto step = [&](std::size_t at) { return byBytes ? 1 : CharacterLength(name, at); };
    std::size_t g = 0, n = 0;
    std::size_t starGlob = std::string_view::npos, starName = 0;
    while (n < name.size()) {
        if (g < glob.size() && glob[g] == '*') {
            starGlob = ++g;
            starName = n;
            continue;
        }
        if (g < glob.size() && glob[g] == '?') {
            ++g;
            n += step(n);
            continue;
        }
        if (g < glob.size() && glob[g] == LowerAscii(name[n])) {
            ++g;
            ++n;
            continue;
        }
        if (starGlob == std::string_view::npos) return false;
        g = starGlob;
        starName += step(starName);
        n = starName;
    }
    while (g < glob.size() && glob[g] == '*') ++g;
    return g == glob.size();
}

}  // namespace

WildcardPattern::WildcardPattern(std::string_view patternList) {
    std::size_t start = 0;
    while (start <= patternList.size()) {
        std::size_t end = patternList.find(';', start);
        if (end == std::string_view::npos) end = patternList.size();
        const std::string_view item = TrimSpaces(patternList.substr(start, end - start));
        start = end + 1;
        if (item.empty()) continue;
        if (item == "*" || item == "*.*") {
            matchesEverything_ = true;
            continue;
        }
        Alternative alternative;
        alternative.byBytes = !IsValidUtf8(item);
        for (char c : item) alternative.glob.push_back(LowerAscii(c));
        if (item.size() >= 2 && item.substr(item.size() - 2) == ".*") {
            alternative.dotlessGlob = alternative.glob.substr(0, alternative.glob.size() - 2);
        } else if (item.back() == '.') {
            std::string stem = alternative.glob;
            while (!stem.empty() && stem.back() == '.') stem.pop_back();
            alternative.dotlessGlob = stem;
        }
        alternatives_.push_back(std::move(alternative));
    }
    if (alternatives_.empty()) matchesEverything_ = true;
}

bool WildcardPattern::Matches(std::string_view name) const {
    if (matchesEverything_) return true;
    const bool hasDot = name.find('.') != std::string_view::npos;
    for (const Alternative& alternative : alternatives_) {
        if (GlobMatches(alternative.glob, name, alternative.byBytes)) return true;
        if (!hasDot && !alternative.dotlessGlob.empty() &&
            GlobMatches(alternative.dotlessGlob, name, alternative.byBytes))
            return true;
    }
    return false;
}

}  // namespace pelmora
