#pragma once
// The shares connected as network drives, kept in the [NetDrive] section of Pelmora.ini as
// Share1, Share2, ... in the order they were connected. Only the //server/share paths are
// stored: credentials never reach the file.

#include <string>
#include <vector>

namespace pelmora {

inline constexpr char kNetDriveSection[] = "NetDrive";

// The connected shares in order; none when the file or the section is missing.
std::vector<std::string> ReadNetDrives(const std::string& iniPath);

// Appends the share unless it is listed already, in one locked update. False when the
// file could not be written.
bool AddNetDrive(const std::string& share, const std::string& iniPath);

// Removes the share and renumbers the rest, in one locked update. False when the file
// could not be written; true (nothing written) when the share was not listed.
bool RemoveNetDrive(const std::string& share, const std::string& iniPath);

}  // namespace pelmora
