#include "app/program_files.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <string_view>
#include <system_error>

#include "app/message_picture.h"
#include "platform/file_system.h"
#include "platform/native_path.h"
#include "settings/trim_spaces.h"

namespace pelmora {

namespace {

constexpr const char* kDefaultPatterns[] = {
    "*.*",   "*.avi", "*.bmp", "*.com", "*.csv", "*.doc", "*.exe", "*.gca",
    "*.gif", "*.htm", "*.ini", "*.jpg", "*.log", "*.lzh", "*.mdb", "*.mid",
    "*.mp3", "*.mpg", "*.pdf", "*.sys", "*.txt", "*.wav", "*.xls", "*.zip",
};

[[noreturn]] void ThrowErrno(int error, const std::string& what) {
    throw std::system_error(error ? error : EIO, std::generic_category(), what);
}

void WriteWholeFile(const std::string& path, std::string_view bytes) {
    errno = 0;
    std::FILE* file = platform::OpenFileStream(path, "wb");
    if (!file) ThrowErrno(errno, path);
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    const int writeError = errno;
    // A full disk may only show at close, so its result counts too.
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed) {
        const int error = written ? errno : writeError;
        std::error_code ignored;
        std::filesystem::remove(platform::NativePath(path), ignored);
        ThrowErrno(error, path);
    }
}

}  // namespace

std::string DefaultPatternFileText() {
    std::string text;
    for (const char* pattern : kDefaultPatterns) {
        text += pattern;
        text += "\r\n";
    }
    return text;
}

void EnsureSettingsFolder(const AppPaths& paths) {
    if (platform::FolderExists(paths.settingsFolder)) return;
    std::error_code error;
    std::filesystem::create_directories(platform::NativePath(paths.settingsFolder), error);
    if (error) throw std::system_error(error, paths.settingsFolder);
}

void WriteDefaultPatternFile(const std::string& path) { WriteWholeFile(path, DefaultPatternFileText()); }

void WriteMessagePicture(const std::string& path) { WriteWholeFile(path, MessagePictureBytes()); }

std::vector<std::string> ReadPatternList(const std::string& path) {
    if (!platform::PathExists(path)) return {"*.*"};
    errno = 0;
    std::FILE* file = platform::OpenFileStream(path, "rb");
    if (!file) ThrowErrno(errno, path);
    std::string content;
    char buffer[4096];
    std::size_t count = 0;
    while ((count = std::fread(buffer, 1, sizeof buffer, file)) > 0) content.append(buffer, count);
    const bool failed = std::ferror(file) != 0;
    const int readError = errno;
    std::fclose(file);
    if (failed) ThrowErrno(readError, path);

    // CR LF, LF and CR each end a line.
    std::vector<std::string> items;
    std::size_t start = 0;
    while (start <= content.size()) {
        std::size_t end = content.find_first_of("\r\n", start);
        if (end == std::string::npos) end = content.size();
        const std::string_view item = TrimSpaces(std::string_view(content).substr(start, end - start));
        if (!item.empty()) items.emplace_back(item);
        if (end == content.size()) break;
        start = end + ((content[end] == '\r' && end + 1 < content.size() && content[end + 1] == '\n') ? 2 : 1);
    }
    return items;
}

}  // namespace pelmora
