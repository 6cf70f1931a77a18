#pragma once
// A file system held in memory, for the engine tests: folders and files by absolute path,
// folders that refuse to open (as for a user without permission, whoever runs the test) and
// folders that vanish while they are read. Safe to read from several threads at once.

#include <cerrno>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <system_error>
#include <vector>

#include "platform/file_system.h"
#include "platform/file_system_service.h"

namespace pelmora::testing {

class FakeFileSystem : public platform::FileSystem {
public:
    // Adds a folder, with the folders above it.
    void AddFolder(const std::string& path) { Add(path, true, 0); }
    // Adds a file of that size, with the folders above it.
    void AddFile(const std::string& path, std::uint64_t size = 0) { Add(path, false, size); }

    // Opening the folder fails with this error.
    void FailOpening(const std::string& folder, std::errc error) { nodes_.at(folder).openError = error; }
    // Reading the folder fails after its first entry, and it is gone with all inside it.
    void VanishWhileRead(const std::string& folder) { nodes_.at(folder).vanishes = true; }

    std::unique_ptr<platform::OpenFolder> OpenFolderAt(const std::string& path, std::error_code& error) override {
        const std::lock_guard<std::recursive_mutex> lock(mutex_);
        const auto found = nodes_.find(path);
        if (found == nodes_.end() || !found->second.folder) {
            error = std::make_error_code(found == nodes_.end() ? std::errc::no_such_file_or_directory
                                                               : std::errc::not_a_directory);
            return nullptr;
        }
        if (found->second.openError != std::errc{}) {
            error = std::make_error_code(found->second.openError);
            return nullptr;
        }
        error.clear();
        return std::make_unique<Folder>(*this, path);
    }

    std::optional<platform::FileFacts> Facts(const std::string& path) override {
        const std::lock_guard<std::recursive_mutex> lock(mutex_);
        const auto found = nodes_.find(path);
        if (found == nodes_.end()) return std::nullopt;
        platform::FileFacts facts;
        facts.isFolder = found->second.folder;
        facts.size = found->second.size;
        return facts;
    }

    std::uint32_t DosAttributes(const std::string&, const platform::FileFacts&) override { return 0; }

    std::unique_ptr<platform::ReadableFile> OpenFileForReading(const std::string&, std::error_code& error) override {
        error = std::make_error_code(std::errc::operation_not_supported);
        return nullptr;
    }

    platform::VolumeIdentity IdentifyVolume(const std::string&) override { return {"/", 1}; }

private:
    struct Node {
        bool folder = false;
        std::uint64_t size = 0;
        std::uint64_t id = 0;
        std::set<std::string> children;
        std::errc openError{};
        bool vanishes = false;
    };

    class Folder : public platform::OpenFolder {
    public:
        // Made by OpenFolderAt, with the owner's lock held.
        Folder(FakeFileSystem& owner, std::string path)
            : owner_(owner), path_(std::move(path)), id_(owner.nodes_.at(path_).id),
              names_(owner.nodes_.at(path_).children.begin(), owner.nodes_.at(path_).children.end()) {}

        bool Next(platform::FolderEntry& entry, std::error_code& error) override {
            const std::lock_guard<std::recursive_mutex> lock(owner_.mutex_);
            error.clear();
            if (next_ == names_.size()) return false;
            if (next_ == 1 && owner_.nodes_.count(path_) != 0 && owner_.nodes_.at(path_).vanishes) {
                owner_.Remove(path_);
            }
            if (owner_.nodes_.count(path_) == 0) {
                error = std::make_error_code(std::errc::no_such_file_or_directory);
                return false;
            }
            name_ = names_[next_++];
            entry.name = name_;
            entry.kind = owner_.nodes_.at(platform::JoinPath(path_, name_)).folder ? platform::EntryKind::Folder
                                                                                    : platform::EntryKind::File;
            return true;
        }
        std::unique_ptr<platform::OpenFolder> OpenInside(const std::string& name,
                                                         std::error_code& error) const override {
            return owner_.OpenFolderAt(platform::JoinPath(path_, name), error);
        }
        platform::EntryKind ResolveKind(const std::string& name) const override {
            const auto facts = owner_.Facts(platform::JoinPath(path_, name));
            return facts && facts->isFolder ? platform::EntryKind::Folder : platform::EntryKind::File;
        }
        bool IsLink(const std::string&) const override { return false; }
        bool Identity(platform::FolderIdentity& identity, std::error_code& error) const override {
            identity = {1, id_};
            error.clear();
            return true;
        }
        std::optional<platform::FileFacts> EntryFacts(const std::string& name, bool) const override {
            return owner_.Facts(platform::JoinPath(path_, name));
        }

    private:
        FakeFileSystem& owner_;
        std::string path_;
        std::uint64_t id_;
        std::vector<std::string> names_;  // as they were when the folder was opened
        std::size_t next_ = 0;
        std::string name_;
    };

    void Add(const std::string& path, bool folder, std::uint64_t size) {
        const auto slash = path.rfind('/');
        if (slash != std::string::npos && path != "/") {
            const std::string parent = slash == 0 ? std::string("/") : path.substr(0, slash);
            if (nodes_.count(parent) == 0) AddFolder(parent);
            nodes_.at(parent).children.insert(path.substr(slash + 1));
        }
        Node& node = nodes_[path];
        node.folder = folder;
        node.size = size;
        node.id = nodes_.size();
    }

    void Remove(const std::string& path) {
        for (const std::string& child : nodes_.at(path).children) Remove(platform::JoinPath(path, child));
        nodes_.erase(path);
    }

    std::recursive_mutex mutex_;
    std::map<std::string, Node> nodes_;
};

}  // namespace pelmora::testing
