#include "settings/settings_check.h"

#include "platform/profile_file.h"
#include "settings/key_table.h"
#include "settings/net_drive_list.h"
#include "settings/settings_record.h"
#include "settings/settings_store.h"
#include "settings/trim_spaces.h"

namespace pelmora {

namespace {

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Names are matched as the file is read: without regard to ASCII case.
bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
    return true;
}

bool KnownKey(const std::string& section, const std::string& key) {
    // The connected network drives are a list of any length.
    if (SameName(section, kNetDriveSection)) return true;
    for (const KeyDescriptor& descriptor : KeyTable())
        if (SameName(descriptor.section, section) && SameName(descriptor.key, key)) return true;
    return false;
}

}  // namespace

std::vector<std::string> SettingsFileFindings(const std::string& iniPath, const std::string& programFolder) {
    std::vector<std::string> findings;
    const platform::ProfileFile file = platform::ProfileFile::Load(iniPath);
    for (const auto& [section, key] : file.KeyNames())
        if (!KnownKey(section, key)) findings.push_back("unknown key [" + section + "] " + key);

    Settings settings;
    LoadSettings(settings, iniPath);
    NormalizeSettings(settings, programFolder, nullptr);
    // The program's own default file names pictures that normalisation drops when they are
    // not beside the program: a value as that file writes it is the program's, never a finding.
    const platform::ProfileFile defaults = platform::ProfileFile::Parse(DefaultIniText());
    for (const KeyDescriptor& descriptor : KeyTable()) {
        const std::string stored = file.ReadString(descriptor.section, descriptor.key);
        if (TrimSpaces(stored).empty()) continue;
        if (stored == defaults.ReadString(descriptor.section, descriptor.key)) continue;
        const std::string read = FieldAsText(settings, descriptor);
        if (read != stored)
            findings.push_back(descriptor.key + "=" + stored + " reads as " + descriptor.key + "=" + read);
    }
    return findings;
}

}  // namespace pelmora
