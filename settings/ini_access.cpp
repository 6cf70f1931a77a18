#include "settings/ini_access.h"

#include "platform/profile_file.h"

namespace pelmora {

std::int32_t ReadIniInt(const std::string& section, const std::string& key, const std::string& iniPath) {
    return platform::ReadProfileInt(section, key, iniPath);
}

std::string ReadIniString(const std::string& section, const std::string& key, const std::string& iniPath) {
    return platform::ReadProfileString(section, key, iniPath);
}

bool WriteIniString(const std::string& section, const std::string& key, const std::string& value,
                    const std::string& iniPath) {
    return platform::WriteProfileString(section, key, value, iniPath);
}

}  // namespace pelmora
