#pragma once
// A folder tree of the test's own under the system's temporary folder, removed with
// everything in it (also folders too deep for full paths, and unreadable ones) at the end.
// The one temporary-folder helper of the tests, with the file and shell helpers they share.

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace pelmora::testing {

inline std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// Writes text as the whole file, making its folders first.
inline void WriteFile(const std::string& path, const std::string& text) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

inline bool ToolInstalled(const std::string& tool) {
    return std::system(("command -v " + tool + " >/dev/null 2>&1").c_str()) == 0;
}

// Single-quoted for the shell, whatever the text holds.
inline std::string ShellQuote(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

// Standard output of a shell command.
inline std::string Capture(const std::string& command) {
    std::string out;
    if (std::FILE* pipe = ::popen(command.c_str(), "r")) {
        char buffer[4096];
        while (std::size_t got = std::fread(buffer, 1, sizeof buffer, pipe)) out.append(buffer, got);
        ::pclose(pipe);
    }
    return out;
}

class TempTree {
public:
    TempTree() {
        std::string pattern = (std::filesystem::temp_directory_path() / "pelmora-test-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
        root_ = pattern;
    }
    ~TempTree() { RemoveTree(root_); }
    TempTree(const TempTree&) = delete;
    TempTree& operator=(const TempTree&) = delete;

    const std::string& path() const { return root_; }
    std::string operator/(const std::string& relative) const { return root_ + "/" + relative; }
    std::string Read(const std::string& relative) const { return ReadFile(root_ + "/" + relative); }

    std::string AddFolder(const std::string& relative) {
        std::filesystem::create_directories(root_ + "/" + relative);
        return root_ + "/" + relative;
    }
    std::string AddFile(const std::string& relative, const std::string& content = "") {
        const std::string full = root_ + "/" + relative;
        std::filesystem::create_directories(std::filesystem::path(full).parent_path());
        std::ofstream(full, std::ios::binary) << content;
        return full;
    }
    std::string AddLink(const std::string& relative, const std::string& target) {
        const std::string full = root_ + "/" + relative;
        std::filesystem::create_directories(std::filesystem::path(full).parent_path());
        if (symlink(target.c_str(), full.c_str()) != 0) throw std::runtime_error("symlink failed");
        return full;
    }

    // A chain of `depth` folders named `name` below relative, built relative to each parent
    // so that its full path may be far longer than the system's path limit.
    void AddDeepChain(const std::string& relative, int depth, const std::string& name,
                      const std::string& fileInDeepest) {
        int fd = open(AddFolder(relative).c_str(), O_RDONLY | O_DIRECTORY);
        for (int i = 0; i < depth && fd >= 0; ++i) {
            mkdirat(fd, name.c_str(), 0755);
            const int next = openat(fd, name.c_str(), O_RDONLY | O_DIRECTORY);
            close(fd);
            fd = next;
        }
        if (fd < 0) throw std::runtime_error("deep chain failed");
        if (!fileInDeepest.empty()) close(openat(fd, fileInDeepest.c_str(), O_CREAT | O_WRONLY, 0644));
        close(fd);
    }

    // Iterative, fd-relative removal: walks down with openat and back up with "..".
    static void RemoveTree(const std::string& root) {
        chmod(root.c_str(), 0700);
        int fd = open(root.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW);
        if (fd < 0) return;
        std::vector<std::string> names;
        for (;;) {
            std::string subfolder;
            if (DIR* dir = fdopendir(dup(fd))) {
                while (const dirent* entry = readdir(dir)) {
                    const std::string name = entry->d_name;
                    if (name == "." || name == "..") continue;
                    struct stat st {};
                    if (fstatat(fd, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISDIR(st.st_mode)) {
                        if (subfolder.empty()) subfolder = name;
                    } else {
                        unlinkat(fd, name.c_str(), 0);
                    }
                }
                closedir(dir);
            }
            if (!subfolder.empty()) {
                fchmodat(fd, subfolder.c_str(), 0700, 0);
                const int child = openat(fd, subfolder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW);
                if (child < 0) break;
                close(fd);
                fd = child;
                names.push_back(subfolder);
                continue;
            }
            if (names.empty()) break;
            const int parent = openat(fd, "..", O_RDONLY | O_DIRECTORY);
            close(fd);
            if (parent < 0) return;
            unlinkat(parent, names.back().c_str(), AT_REMOVEDIR);
            names.pop_back();
            fd = parent;
        }
        close(fd);
        rmdir(root.c_str());
    }

private:
    std::string root_;
};

}  // namespace pelmora::testing
