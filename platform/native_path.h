#pragma once
// Paths for the C and C++ standard libraries' file functions. The program keeps paths as
// bytes (UTF-8 on Windows); the standard library reads a narrow path in the system's code
// page on Windows, where a Japanese name would not survive. Every std::filesystem::path,
// fstream and fopen made from a path of the program goes through here.

#include <cstdio>
#include <filesystem>
#include <string>

namespace pelmora::platform {

// The standard library's path for one of the program's paths: its bytes as they are on
// POSIX, converted from UTF-8 on Windows.
std::filesystem::path NativePath(const std::string& path);

// The program's path for a standard library path: the inverse of NativePath.
std::string PathText(const std::filesystem::path& path);

// std::fopen of one of the program's paths; null with errno set on failure, as fopen.
std::FILE* OpenFileStream(const std::string& path, const char* mode);

}  // namespace pelmora::platform
