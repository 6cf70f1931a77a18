#include "settings/net_drive_list.h"

#include <algorithm>
#include <cctype>

#include "platform/profile_file.h"

namespace pelmora {

namespace {

bool SameSection(const std::string& a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return std::tolower(static_cast<unsigned char>(x)) ==
                                                  std::tolower(static_cast<unsigned char>(y)); });
}

std::vector<std::string> SharesIn(const platform::ProfileFile& file) {
    std::vector<std::string> shares;
    for (const auto& [section, key] : file.KeyNames()) {
        if (!SameSection(section, kNetDriveSection)) continue;
        std::string share = file.ReadString(kNetDriveSection, key);
        if (!share.empty() && std::find(shares.begin(), shares.end(), share) == shares.end()) {
            shares.push_back(std::move(share));
        }
    }
    return shares;
}

// The section holds exactly the shares, as Share1..ShareN.
bool Rewrite(platform::ProfileFile& file, const std::vector<std::string>& shares) {
    for (const auto& [section, key] : file.KeyNames()) {
        if (SameSection(section, kNetDriveSection)) file.RemoveKey(kNetDriveSection, key);
    }
    bool stored = true;
    for (std::size_t i = 0; i < shares.size(); ++i) {
        stored = file.SetString(kNetDriveSection, "Share" + std::to_string(i + 1), shares[i]) && stored;
    }
    return stored;
}

}  // namespace

std::vector<std::string> ReadNetDrives(const std::string& iniPath) {
    return SharesIn(platform::ProfileFile::Load(iniPath));
}

bool AddNetDrive(const std::string& share, const std::string& iniPath) {
    return platform::UpdateProfileFile(iniPath, [&share](platform::ProfileFile& file) {
        std::vector<std::string> shares = SharesIn(file);
        if (std::find(shares.begin(), shares.end(), share) != shares.end()) return true;
        shares.push_back(share);
        return Rewrite(file, shares);
    });
}

bool RemoveNetDrive(const std::string& share, const std::string& iniPath) {
    return platform::UpdateProfileFile(iniPath, [&share](platform::ProfileFile& file) {
        std::vector<std::string> shares = SharesIn(file);
        const auto found = std::find(shares.begin(), shares.end(), share);
        if (found == shares.end()) return true;
        shares.erase(found);
        return Rewrite(file, shares);
    });
}

}  // namespace pelmora
