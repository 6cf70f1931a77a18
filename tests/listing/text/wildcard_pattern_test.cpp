#include "listing/text/wildcard_pattern.h"

#include <gtest/gtest.h>

namespace pelmora {
namespace {

struct PatternCase {
    const char* pattern;
    const char* name;
    bool matches;
};

TEST(WildcardPattern, FollowsTheWindowsMeaning) {
    const PatternCase cases[] = {
        // "*.*" and "*" match everything, with or without a dot, hidden names too.
        {"*.*", "readme", true},
        {"*.*", "a.b.c", true},
        {"*.*", ".profile", true},
        {"*", "x", true},
        {"", "anything", true},
        {" ; ", "anything", true},
        // Case does not matter for ASCII letters.
        {"*.TXT", "notes.txt", true},
        {"*.txt", "NOTES.TXT", true},
        {"*.txt", "notes.txt.bak", false},
        {"*.txt", "txt", false},
        // "?" is exactly one character, also a multi-byte one.
        {"a?c", "abc", true},
        {"a?c", "ac", false},
        {"a?c", "abbc", false},
        {"?.txt", "あ.txt", true},
        {"??.txt", "あ.txt", false},
        // A trailing ".*" also accepts names without any dot.
        {"readme.*", "readme", true},
        {"readme.*", "readme.md", true},
        {"readme.*", "readmex", false},
        {"a*.*", "abc", true},
        // A trailing "." lists only names without a dot.
        {"*.", "Makefile", true},
        {"*.", "main.c", false},
        {"abc.", "abc", true},
        {"abc..", "abc", true},
        {"abc.", "abd", false},
        // Several patterns, spaces around each ignored.
        {"*.txt;*.csv", "data.csv", true},
        {"*.txt; *.csv ", "data.csv", true},
        {"*.txt;*.csv", "data.tsv", false},
        // Back-tracking over several stars.
        {"*a*b*c", "xxaxxbxxbxxc", true},
        {"*a*b*c", "xxaxxcxxb", false},
        // Bytes that are not UTF-8 are compared as they are.
        {"\xff*", "\xff\xfe.bin", true},
        {"?.bin", "\xff.bin", true},
    };
    for (const PatternCase& c : cases) {
        EXPECT_EQ(WildcardPattern(c.pattern).Matches(c.name), c.matches)
            << "pattern \"" << c.pattern << "\" name \"" << c.name << "\"";
    }
}

TEST(WildcardPattern, KnowsWhenEverythingMatches) {
    EXPECT_TRUE(WildcardPattern("*.*").MatchesEverything());
    EXPECT_TRUE(WildcardPattern("*.txt;*").MatchesEverything());
    EXPECT_FALSE(WildcardPattern("*.txt").MatchesEverything());
}

}  // namespace
}  // namespace pelmora
