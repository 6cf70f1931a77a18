#pragma once
// The settings store: creating, loading, normalising and saving Pelmora.ini.

#include <initializer_list>
#include <string>
#include <string_view>

#include "settings/layout_token.h"
#include "settings/settings_record.h"

namespace pelmora {

// What normalisation tells the main window's browser; the core knows no windows.
class BrowserSettingsSink {
public:
    virtual ~BrowserSettingsSink() = default;
    virtual void SetDirPath(const std::string& dirPath) = 0;
    virtual void SetPattern(const std::string& pattern) = 0;
    virtual void SetHiddenSystemDisplay(bool hidden, bool system) = 0;
};

// The contents of a newly created Pelmora.ini.
std::string_view DefaultIniText();

// Writes the default file unless a file appeared there meanwhile (another copy of the
// program starting at the same moment). Throws std::system_error carrying the errno of the
// failure, so start-up can tell an unavailable device from other faults.
void CreateDefaultIni(const std::string& iniPath);

// Reads every key of the key table into the record (one read of the file). A missing or
// unreadable file reads as empty. Temporary files left by writes of the file that were
// killed midway are removed first.
void LoadSettings(Settings& settings, const std::string& iniPath);

// Reads every key as a newly created default file would give it, without any file.
void LoadDefaultSettings(Settings& settings);

// Reads every key from the bytes of a settings file, without touching the disk.
void LoadSettingsFromText(Settings& settings, std::string_view fileBytes);

// Brings every field to a well-formed value and points the browser at the start folder,
// the pattern and the hidden/system display. `sink` may be null (no window).
void NormalizeSettings(Settings& settings, const std::string& programFolder, BrowserSettingsSink* sink);

// Writes the keys the settings dialog edits, in one locked update of the file; every other
// key, line and comment stays. False when the file could not be written.
bool SaveSettings(const Settings& settings, const std::string& iniPath);

// Writes the named keys of the key table from the record, in one locked update of the
// file (a window's position keys). False when a name is not in the table or the file could
// not be written.
bool SaveKeys(const Settings& settings, std::initializer_list<std::string_view> keys, const std::string& iniPath);

// Every key of the table as "Key=value" under its section header, CR LF line ends.
std::string SettingsAsIniText(const Settings& settings);

}  // namespace pelmora
