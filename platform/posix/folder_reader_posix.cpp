#include "platform/folder_reader.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace pelmora::platform {

namespace {

DIR* Stream(void* stream) { return static_cast<DIR*>(stream); }

std::error_code LastError() { return {errno, std::generic_category()}; }

bool OpenStream(int directoryFd, const char* path, void*& stream, std::error_code& error) {
    const int fd = openat(directoryFd, path, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        error = LastError();
        return false;
    }
    DIR* opened = fdopendir(fd);
    if (opened == nullptr) {
        error = LastError();
        close(fd);
        return false;
    }
    stream = opened;
    error.clear();
    return true;
}

}  // namespace

FolderReader::~FolderReader() { Close(); }

FolderReader::FolderReader(FolderReader&& other) noexcept : stream_(other.stream_) { other.stream_ = nullptr; }

FolderReader& FolderReader::operator=(FolderReader&& other) noexcept {
    if (this != &other) {
        Close();
        stream_ = other.stream_;
        other.stream_ = nullptr;
    }
    return *this;
}

bool FolderReader::Open(const std::string& path, std::error_code& error) {
    Close();
    if (path.empty()) {
        error = std::make_error_code(std::errc::no_such_file_or_directory);
        return false;
    }
    return OpenStream(AT_FDCWD, path.c_str(), stream_, error);
}

bool FolderReader::OpenInside(const FolderReader& parent, const std::string& name, std::error_code& error) {
    Close();
    if (!parent.IsOpen()) {
        error = std::make_error_code(std::errc::bad_file_descriptor);
        return false;
    }
    return OpenStream(parent.Handle(), name.c_str(), stream_, error);
}

void FolderReader::Close() {
    if (stream_ != nullptr) closedir(Stream(stream_));
    stream_ = nullptr;
}

bool FolderReader::Next(FolderEntry& entry, std::error_code& error) {
    error.clear();
    if (stream_ == nullptr) return false;
    for (;;) {
        errno = 0;
        const dirent* raw = readdir(Stream(stream_));
        if (raw == nullptr) {
            if (errno != 0) error = LastError();
            return false;
        }
        const char* name = raw->d_name;
        if (name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'))) continue;
        entry.name = std::string_view(name, std::strlen(name));
        switch (raw->d_type) {
            case DT_DIR: entry.kind = EntryKind::Folder; break;
            case DT_LNK:
            case DT_UNKNOWN: entry.kind = EntryKind::Unresolved; break;
            default: entry.kind = EntryKind::File; break;
        }
        return true;
    }
}

EntryKind FolderReader::ResolveKind(const std::string& name) const {
    struct stat st {};
    if (stream_ != nullptr && fstatat(Handle(), name.c_str(), &st, 0) == 0 && S_ISDIR(st.st_mode))
        return EntryKind::Folder;
    return EntryKind::File;
}

bool FolderReader::Identity(FolderIdentity& identity, std::error_code& error) const {
    struct stat st {};
    if (stream_ == nullptr || fstat(Handle(), &st) != 0) {
        error = stream_ == nullptr ? std::make_error_code(std::errc::bad_file_descriptor) : LastError();
        return false;
    }
    identity.device = static_cast<std::uint64_t>(st.st_dev);
    identity.inode = static_cast<std::uint64_t>(st.st_ino);
    error.clear();
    return true;
}

int FolderReader::Handle() const { return stream_ == nullptr ? -1 : dirfd(Stream(stream_)); }

}  // namespace pelmora::platform
