#pragma once
// Profile (INI) files with the reading rules the program's settings were built on:
// - section and key names match without regard to (ASCII) case; spaces and tabs around
//   names and values are ignored; the first of duplicate sections or keys is the one read;
// - no comment syntax: every non-blank line that is not "[name]" is a key line, "a" alone
//   being the key "a" with an empty value;
// - a value ends at a NUL byte, loses one pair of matching surrounding quotes (' or "),
//   and is seen through a 256-byte buffer, so at most kMaxProfileValue bytes arrive;
// - CR LF, LF and CR all end a line; a UTF-8 byte-order mark is skipped;
// - an absent key reads as empty text, or 0 as an integer;
// - a file that is missing or cannot be read reads as empty.
// Writing keeps every other byte of the file, replaces the first occurrence of a key in
// place, adds a missing key at the end of its section and a missing section at the end of
// the file, with CR LF line ends. Each write is one locked read-modify-write that replaces
// the file by the rule of ReplaceFileContents (through links, atomically where the system
// allows), so copies of the program writing at the same time lose nothing.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace pelmora::platform {

inline constexpr std::size_t kMaxProfileValue = 255;

// The integer reading of a profile value: spaces, an optional sign, then decimal digits or
// "0x" and hexadecimal digits, as far as they go; no digits give 0; overflow wraps to 32 bits.
std::int32_t ParseProfileInt(std::string_view text);

// The text to put after "key=" so that a reader gets value back (up to the length limit):
// a value that a reader would trim or unquote is wrapped in double quotes.
std::string StoredProfileValue(std::string_view value);

// One file's contents, parsed once; reads follow the rules above, edits keep the bytes.
class ProfileFile {
public:
    static ProfileFile Load(const std::string& path);
    static ProfileFile Parse(std::string_view bytes);

    std::string ReadString(std::string_view section, std::string_view key) const;
    std::int32_t ReadInt(std::string_view section, std::string_view key) const;

    // False (and nothing changed) when the names or value cannot be stored as one line:
    // a line break or NUL anywhere, an empty name, "=" in a key, a key starting with "[",
    // or "]" in a section name. A value whose ends would be lost on reading (surrounding
    // spaces, or a pair of matching quotes) is written inside double quotes.
    bool SetString(std::string_view section, std::string_view key, std::string_view value);

    // Removes the key's line from the section (the first of that name). False when absent.
    bool RemoveKey(std::string_view section, std::string_view key);

    // The file's bytes with the edits applied.
    std::string Text() const;

    // Every "key=value" line as its section and key names, in file order (comment lines,
    // starting with ";", are none).
    std::vector<std::pair<std::string, std::string>> KeyNames() const;

private:
    struct Line {
        std::string text;         // without its line end
        std::string end;          // "\r\n", "\n", "\r" or "" for a last line without one
        bool isSection = false;
        std::string name;         // trimmed section or key name
    };

    struct SectionIndex {
        int line;
        std::unordered_map<std::string, int> keys;  // lower-cased name -> first key line
    };

    void BuildIndex() const;
    int FindSection(std::string_view section) const;
    int FindKey(int sectionLine, std::string_view key) const;
    int SectionEnd(int sectionLine) const;  // index of the next section header or the line count

    std::string bom_;
    std::vector<Line> lines_;
    // Reads go through an index (a settings load asks for some 200 keys); edits drop it and
    // the next read rebuilds it.
    mutable std::unordered_map<std::string, SectionIndex> index_;
    mutable bool indexed_ = false;
};

struct ProfileEntry {
    std::string section;
    std::string key;
    std::string value;
};

std::string ReadProfileString(std::string_view section, std::string_view key, const std::string& path);
std::int32_t ReadProfileInt(std::string_view section, std::string_view key, const std::string& path);

// Writes one key; a missing file is created. False when the value cannot be stored (see
// ProfileFile::SetString), when an existing file cannot be read, or when the write fails;
// the file is then as it was.
bool WriteProfileString(std::string_view section, std::string_view key, std::string_view value,
                        const std::string& path);

// Writes several keys in order in one locked read-modify-write. Entries that cannot be
// stored are skipped and make the result false; the others are written.
bool WriteProfileStrings(const std::vector<ProfileEntry>& entries, const std::string& path);

// One locked read-modify-write with any edit: `edit` changes the parsed file and returns
// false for an edit it could not make in full (the rest is written all the same). False
// when an existing file cannot be read, when the write fails, or as `edit` returned.
bool UpdateProfileFile(const std::string& path, const std::function<bool(ProfileFile&)>& edit);

}  // namespace pelmora::platform
