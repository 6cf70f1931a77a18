#include "listing/text/wildcard_pattern.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <string_view>

#include "listing/text/utf8_text.h"

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

// A plain recursive matcher: "*" tries every stop, "?" takes one character (one byte when
// the pattern is not UTF-8), other pattern bytes meet the same bytes, ASCII letters in
// either case.
bool ReferenceMatches(std::string_view glob, std::string_view name, bool byBytes) {
    auto step = [&](std::size_t at) {
        const std::size_t length = byBytes ? 1 : Utf8SequenceLength(name, at);
        return length == 0 ? 1 : length;
    };
    auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; };
    if (glob.empty()) return name.empty();
    if (glob[0] == '*') {
        for (std::size_t at = 0;; at += step(at)) {
            if (ReferenceMatches(glob.substr(1), name.substr(at), byBytes)) return true;
            if (at >= name.size()) return false;
        }
    }
    if (name.empty()) return false;
    if (glob[0] == '?') return ReferenceMatches(glob.substr(1), name.substr(step(0)), byBytes);
    return lower(glob[0]) == lower(name[0]) && ReferenceMatches(glob.substr(1), name.substr(1), byBytes);
}

// Patterns that split a character ("\xe6" is the first byte of "日", "\xa5" its last) are
// read byte by byte; well-formed ones character by character.
TEST(WildcardPattern, BrokenUtf8InAPatternMatchesBytes) {
    EXPECT_TRUE(WildcardPattern("*\xe6*\xa5").Matches("\xe6\xe6\x97\xa5"));
    EXPECT_TRUE(WildcardPattern("?\x97\xa5").Matches("\xe6\x97\xa5"));
    EXPECT_FALSE(WildcardPattern("??").Matches("\xe6\x97\xa5"));

    const char alphabet[] = {'a', 'B', 'x', '*', '?', '\xe6', '\x97', '\xa5', '\xc3', '\xa9'};
    std::mt19937 random(5);
    auto text = [&](std::size_t shortest, std::size_t longest) {
        std::string out(shortest + random() % (longest - shortest + 1), ' ');
        for (char& c : out) c = alphabet[random() % std::size(alphabet)];
        return out;
    };
    for (int i = 0; i < 200000; ++i) {
        const std::string pattern = text(1, 5);
        std::string name = text(0, 6);
        std::erase_if(name, [](char c) { return c == '*' || c == '?'; });
        const bool expected = ReferenceMatches(pattern, name, !IsValidUtf8(pattern));
        ASSERT_EQ(WildcardPattern(pattern).Matches(name), expected)
            << ::testing::PrintToString(pattern) << " " << ::testing::PrintToString(name);
    }
}

}  // namespace
}  // namespace pelmora
