#pragma once
// The three profile operations every part of the program uses on Pelmora.ini.

#include <cstdint>
#include <string>

namespace pelmora {

// The key's integer reading; 0 when absent or not a number.
std::int32_t ReadIniInt(const std::string& section, const std::string& key, const std::string& iniPath);

// The key's text, at most 255 bytes; empty when absent.
std::string ReadIniString(const std::string& section, const std::string& key, const std::string& iniPath);

// Writes one key (creating the file when missing); true on success. A value with a line
// break or NUL is refused, since it would turn into further keys of the file.
bool WriteIniString(const std::string& section, const std::string& key, const std::string& value,
                    const std::string& iniPath);

}  // namespace pelmora
