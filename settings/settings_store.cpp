#include "settings/settings_store.h"

#include <array>
#include <cerrno>
#include <system_error>
#include <vector>

#include "platform/atomic_file_write.h"
#include "platform/file_lock.h"
#include "platform/file_system.h"
#include "platform/profile_file.h"
#include "settings/key_table.h"
#include "settings/trim_spaces.h"

namespace pelmora {

namespace {

bool IsBlank(std::string_view text) { return TrimSpaces(text).empty(); }

// The root of the drive the program runs from: "c:\" on Windows, "/" on POSIX.
std::string ProgramDriveRoot(const std::string& programFolder) {
    std::string root;
    if (programFolder.size() >= 2 && programFolder[1] == ':') root = programFolder.substr(0, 2);
    return root + platform::kPathSeparator;
}

void NormalizeText(std::string& value, const KeyDescriptor& descriptor, const std::string& programFolder) {
    switch (descriptor.rule) {
        case NormalizeRule::OffFlag:
            value = value == "1" ? "1" : "0";
            break;
        case NormalizeRule::OnFlag:
            value = value == "0" ? "0" : "1";
            break;
        case NormalizeRule::LayoutToken:
            value = CanonicalizeLayoutToken(value);
            break;
        case NormalizeRule::StartFolder:
            if (IsBlank(value) || platform::IsNetworkPath(std::string(TrimSpaces(value)))) {
                value = ProgramDriveRoot(programFolder);
            }
            if (!platform::FolderExists(value)) value = ProgramDriveRoot(programFolder);
            break;
        case NormalizeRule::FilePattern:
            if (IsBlank(value)) value = "*.*";
            break;
        case NormalizeRule::WindowIcon:
            if (!(value.size() == 1 && value[0] >= '1' && value[0] <= '5')) value = "0";
            break;
        case NormalizeRule::ExtStartLock:
            if (value != "0" && value != "2") value = "1";
            break;
        case NormalizeRule::PictureFile:
            // A relative name is looked up from the current folder.
            if (IsBlank(value) || !platform::FileExists(value)) value.clear();
            break;
        case NormalizeRule::BlankDefault:
            if (IsBlank(value)) value = descriptor.fallback;
            break;
        case NormalizeRule::FontSize:
            if (IsBlank(value) || value == "0") value = descriptor.fallback;
            break;
        default:
            break;
    }
}

std::int32_t Clamped(std::int32_t value, std::int32_t low, std::int32_t high) {
    return value < low ? low : value > high ? high : value;
}

void NormalizeInt(std::int32_t& value, NormalizeRule rule) {
    switch (rule) {
        case NormalizeRule::TreeWaitTime:
            value = value == 0 ? 180 : Clamped(value, 60, 600);
            break;
        case NormalizeRule::CheckSize:
            value = value == 0 ? 2048 : Clamped(value, 128, 204800);
            break;
        case NormalizeRule::Opacity:
            if (value < 1 || value > 255) value = 255;
            break;
        case NormalizeRule::HexReadByte: {
            static constexpr std::array<std::int32_t, 7> kAccepted = {1024, 2048, 4096, 8192, 16384, 32768, 65536};
            bool accepted = false;
            for (std::int32_t size : kAccepted) accepted = accepted || value == size;
            if (!accepted) value = 1024;
            break;
        }
        default:
            break;
    }
}

void LoadKeys(Settings& settings, const platform::ProfileFile& file) {
    for (const KeyDescriptor& descriptor : KeyTable()) {
        if (std::int32_t* number = IntField(settings, descriptor)) {
            *number = file.ReadInt(descriptor.section, descriptor.key);
        } else {
            *TextField(settings, descriptor) = file.ReadString(descriptor.section, descriptor.key);
        }
    }
}

}  // namespace

void CreateDefaultIni(const std::string& iniPath) {
    platform::FileLock lock(iniPath);
    if (platform::PathExists(iniPath)) return;
    if (!platform::ReplaceFileContents(iniPath, DefaultIniText())) {
        const int error = errno != 0 ? errno : EIO;
        throw std::system_error(error, std::generic_category(), "cannot create " + iniPath);
    }
}

void LoadSettings(Settings& settings, const std::string& iniPath) {
    // A write of the file killed midway (a crash, a power cut) leaves its temporary file.
    platform::RemoveLeftoverTemporaryFiles(iniPath);
    LoadKeys(settings, platform::ProfileFile::Load(iniPath));
}

void LoadDefaultSettings(Settings& settings) { LoadSettingsFromText(settings, DefaultIniText()); }

void LoadSettingsFromText(Settings& settings, std::string_view fileBytes) {
    LoadKeys(settings, platform::ProfileFile::Parse(fileBytes));
}

void NormalizeSettings(Settings& settings, const std::string& programFolder, BrowserSettingsSink* sink) {
    for (const KeyDescriptor& descriptor : KeyTable()) {
        if (std::int32_t* number = IntField(settings, descriptor)) {
            NormalizeInt(*number, descriptor.rule);
        } else {
            NormalizeText(*TextField(settings, descriptor), descriptor, programFolder);
        }
    }
    // The Jump and network windows share one docking place; Jump wins.
    if (settings.ShowJumpWindow == "1" && settings.ShowNetViewWindow == "1") settings.ShowNetViewWindow = "0";

    if (sink) {
        sink->SetDirPath(settings.DirPath);
        sink->SetPattern(settings.Pattern);
        sink->SetHiddenSystemDisplay(settings.FileHiddenFile == "1", settings.FileSystemFile == "1");
    }
}

bool SaveSettings(const Settings& settings, const std::string& iniPath) {
    std::vector<platform::ProfileEntry> entries;
    for (const SavedKey& saved : SavedKeys()) {
        std::string value = FieldAsText(settings, *saved.descriptor);
        if (saved.trimmed) value = std::string(TrimSpaces(value));
        entries.push_back({std::string(saved.descriptor->section), saved.descriptor->key, std::move(value)});
    }
    return platform::WriteProfileStrings(entries, iniPath);
}

bool SaveKeys(const Settings& settings, std::initializer_list<std::string_view> keys, const std::string& iniPath) {
    std::vector<platform::ProfileEntry> entries;
    for (std::string_view key : keys) {
        const KeyDescriptor* descriptor = FindKeyDescriptor(key);
        if (descriptor == nullptr) return false;
        entries.push_back({std::string(descriptor->section), descriptor->key, FieldAsText(settings, *descriptor)});
    }
    return platform::WriteProfileStrings(entries, iniPath);
}

std::string SettingsAsIniText(const Settings& settings) {
    std::string text;
    std::string_view section;
    for (const KeyDescriptor& descriptor : KeyTable()) {
        if (descriptor.section != section) {
            section = descriptor.section;
            text += "[" + std::string(section) + "]\r\n";
        }
        // Quoted where a reader would trim or unquote it, so the text reads back the same.
        text += descriptor.key + "=" + platform::StoredProfileValue(FieldAsText(settings, descriptor)) + "\r\n";
    }
    return text;
}

}  // namespace pelmora
