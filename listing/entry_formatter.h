#pragma once
// One file or folder becomes its line of the listing text.

#include <string>

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

// The entry as the engine uses it.
FormattedEntry FormatFileEntryParts(const std::string& path, const EntryFieldSwitches& switches);

// The text form: the line, prefixed with its sort key and one TAB when ExtSort is on;
// the empty text when the path cannot be found.
std::string FormatFileEntry(const std::string& path, const EntryFieldSwitches& switches);

std::string FormatFolderEntry(const std::string& path, const std::string& fullPath,
                              const std::string& folderMark, const std::string& kakomi);

}  // namespace pelmora
