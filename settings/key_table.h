#pragma once
// The key table of Pelmora.ini: one descriptor per key, in the file's section order.
// LoadSettings, NormalizeSettings, SaveSettings and SettingsAsIniText are all driven by it.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "settings/settings_record.h"

namespace pelmora {

// What a key's value becomes after reading; also what an absent key turns into.
enum class NormalizeRule {
    AsRead,
    OffFlag,       // "1" only when stored as exactly "1"
    OnFlag,        // "0" only when stored as exactly "0"
    LayoutToken,   // CanonicalizeLayoutToken
    StartFolder,   // DirPath: blank, network or missing folder -> root of the program's drive
    FilePattern,   // blank -> "*.*"
    WindowIcon,    // "1".."5", else "0"
    ExtStartLock,  // "0" or "2", else "1"
    PictureFile,   // blank or no such file -> empty
    BlankDefault,  // blank -> fallback
    FontSize,      // blank or exactly "0" -> fallback
    TreeWaitTime,  // 0 -> 180, then clamped to 60..600
    CheckSize,     // 0 -> 2048, then clamped to 128..204800
    Opacity,       // outside 1..255 -> 255
    HexReadByte,   // a power of two from 1024 to 65536, else 1024
};

// A numbered key's place in one of the record's arrays (Jump01 is index 0 of Jump).
template <std::size_t N>
struct ListSlot {
    std::array<std::string, N> Settings::*list;
    std::size_t index;
};

using FieldRef = std::variant<std::string Settings::*, std::int32_t Settings::*, ListSlot<10>, ListSlot<5>>;

struct KeyDescriptor {
    std::string_view section;
    std::string key;
    NormalizeRule rule;
    FieldRef field;
    std::string fallback;  // BlankDefault and FontSize only
};

inline constexpr std::string_view kSectionPelmora = "Pelmora";
inline constexpr std::string_view kSectionFolderView = "FolderView";
inline constexpr std::string_view kSectionChoiView = "ChoiView";
inline constexpr std::string_view kSectionHexView = "HexView";
inline constexpr std::string_view kSectionAclView = "ACLView";

const std::vector<KeyDescriptor>& KeyTable();

// The descriptor of a key (exact spelling), or nullptr.
const KeyDescriptor* FindKeyDescriptor(std::string_view key);

// The record's field for a key; the text form is null for an int key and the other way round.
std::string* TextField(Settings& settings, const KeyDescriptor& descriptor);
const std::string* TextField(const Settings& settings, const KeyDescriptor& descriptor);
std::int32_t* IntField(Settings& settings, const KeyDescriptor& descriptor);
const std::int32_t* IntField(const Settings& settings, const KeyDescriptor& descriptor);

// The field as the file holds it: text as is, ints in decimal.
std::string FieldAsText(const Settings& settings, const KeyDescriptor& descriptor);

// The keys the settings dialog's save writes, in writing order. `trimmed`: written
// without surrounding spaces.
struct SavedKey {
    const KeyDescriptor* descriptor;  // an entry of KeyTable()
    bool trimmed;
};
const std::vector<SavedKey>& SavedKeys();

}  // namespace pelmora
