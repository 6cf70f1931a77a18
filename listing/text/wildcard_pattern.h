#pragma once
// File patterns as the file list understands them: "*" any run of characters, "?" exactly
// one character, letters compared without regard to ASCII case, several patterns separated
// by ";" (spaces around each are ignored). As on Windows, a pattern ending in ".*" also
// matches names that have no dot ("*.*" matches every name, "readme.*" matches "readme"),
// and a pattern ending in "." matches only names without a dot that match it without its
// trailing dots ("*." lists the files without extension, "abc." matches "abc"); a name
// that itself ends in a dot still matches such a pattern literally. An empty list
// matches every name. A pattern that is not well-formed UTF-8 is read byte by byte: "?"
// is one byte and "*" any run of bytes, so its stray bytes meet the same bytes wherever
// they stand in a name, also inside a character.

#include <string>
#include <string_view>
#include <vector>

namespace pelmora {

class WildcardPattern {
public:
    explicit WildcardPattern(std::string_view patternList);

    bool Matches(std::string_view name) const;
    bool MatchesEverything() const { return matchesEverything_; }

private:
    struct Alternative {
        std::string glob;         // ASCII lower case
        std::string dotlessGlob;  // also tried on names without a dot; empty: not tried
        bool byBytes = false;     // the pattern is not well-formed UTF-8
    };
    std::vector<Alternative> alternatives_;
    bool matchesEverything_ = false;
};

}  // namespace pelmora
