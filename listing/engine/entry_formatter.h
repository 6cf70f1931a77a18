#pragma once
// One file or folder becomes its line of the listing text.

#include <string>
#include <string_view>

#include "platform/file_facts.h"
#include "platform/file_system_service.h"
#include "settings/settings_record.h"

namespace pelmora {

// Switch values are "1"/"0" as in the settings record. The four pattern switches count as
// on for anything but "0"; the others only for "1".
struct EntryFieldSwitches {
    std::string Name, FullPath, ShortName;
    std::string Size, SizePattern;
    std::string DateTime, DateTimePattern;
    std::string MakeDateTime, MakeDateTimePattern;
    std::string AccessDateTime, AccessDateTimePattern;
    std::string Attrib;
    std::string ExtSort;
    std::string Kakomi, Kugiri;
};

enum class ListingFamily { File, SFolder, Drop };

// The switches of one key family (FileExtSort, Kakomi and Kugiri are shared by all three).
EntryFieldSwitches SwitchesFor(const Settings& settings, ListingFamily family);

// A formatted file line with its extension sort key kept beside it (empty key when the
// sort is off), so that no character of a name can break the order or split an entry.
struct FormattedEntry {
    std::string sortKey;
    std::string line;
    bool found = false;  // false: the path could not be looked up; the entry is dropped
};

// The formatter the engine keeps for a whole listing: the layout (switches, enclosing text
// and separator with their tokens replaced) is worked out once, and every entry is written
// into the caller's FormattedEntry, whose buffers are reused from one entry to the next.
class EntryFormatter {
public:
    // Paths are read through fileSystem; null: the one the platform picks for each path.
    explicit EntryFormatter(const EntryFieldSwitches& switches, platform::FileSystem* fileSystem = nullptr);

    // Reads the file's facts (one status call; the attributes only when they are shown).
    void Format(const std::string& path, FormattedEntry& out) const;
    // The same with facts the caller has already read for this path.
    void Format(const std::string& path, const platform::FileFacts& facts, FormattedEntry& out) const;

    bool ExtSortOn() const { return extSort_; }
    bool AttributesShown() const { return attrib_; }

private:
    void BeginField(std::string& line, bool& anyField) const;
    void AppendField(std::string_view value, std::string& line, bool& anyField) const;
    void AppendTimeFields(const platform::FileTime& time, bool pattern, std::string& line, bool& anyField) const;
    platform::FileSystem& FileSystemOf(const std::string& path) const;

    platform::FileSystem* fileSystem_;

    bool name_, fullPath_, shortName_, size_, sizePattern_;
    bool dateTime_, dateTimePattern_, makeDateTime_, makeDateTimePattern_;
    bool accessDateTime_, accessDateTimePattern_, attrib_, extSort_;
    std::string kakomi_, kugiri_;
    bool doubleQuotes_;  // kakomi_ is one double quote: quotes inside a value are doubled
};

// "<TAB>" and "<CRLF>" in a layout string become TAB and CR LF.
std::string ReplaceLayoutTokens(std::string_view layout);

std::string FormatFolderEntry(const std::string& path, const std::string& fullPath,
                              const std::string& folderMark, const std::string& kakomi);

}  // namespace pelmora
