#include "platform/shared_library.h"

#include <dlfcn.h>
#include <glob.h>

#include <cstdlib>
#include <fstream>
#include <set>
#include <string_view>

namespace pelmora::platform {

namespace {

class PosixSharedLibrary : public SharedLibrary {
public:
    explicit PosixSharedLibrary(void* handle) : handle_(handle) {}
    ~PosixSharedLibrary() override { dlclose(handle_); }
    PosixSharedLibrary(const PosixSharedLibrary&) = delete;
    PosixSharedLibrary& operator=(const PosixSharedLibrary&) = delete;

    void* Symbol(const char* name) const override { return dlsym(handle_, name); }

private:
    void* handle_;
};

std::string_view Trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

// The folders of one ld.so.conf file, following its "include" lines (depth-limited, so a
// file that includes itself ends).
void ReadLoaderConfig(const std::string& file, int depth, std::vector<std::string>& folders) {
    if (depth > 8) return;
    std::ifstream in(file);
    std::string line;
    while (std::getline(in, line)) {
        std::string_view text = line;
        if (const auto hash = text.find('#'); hash != std::string_view::npos) text = text.substr(0, hash);
        text = Trimmed(text);
        if (text.empty()) continue;
        if (text.starts_with("include") && text.size() > 7 && (text[7] == ' ' || text[7] == '\t')) {
            const std::string pattern(Trimmed(text.substr(8)));
            glob_t matches{};
            if (glob(pattern.c_str(), 0, nullptr, &matches) == 0) {
                for (std::size_t i = 0; i < matches.gl_pathc; ++i)
                    ReadLoaderConfig(matches.gl_pathv[i], depth + 1, folders);
            }
            globfree(&matches);
            continue;
        }
        if (text.front() == '/') folders.emplace_back(text);
    }
}

}  // namespace

std::unique_ptr<SharedLibrary> OpenSharedLibrary(const std::string& path, std::string& error) {
    // A bare or relative name would let the loader search, the current folder included.
    if (path.empty() || path.front() != '/') {
        error = "not an absolute path: " + path;
        return nullptr;
    }
    dlerror();
    // RTLD_LOCAL: two plug-ins may define the same helper names.
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        const char* reason = dlerror();
        error = reason != nullptr ? reason : "cannot load " + path;
        return nullptr;
    }
    return std::make_unique<PosixSharedLibrary>(handle);
}

std::vector<std::string> SystemLibraryFolders() {
    std::vector<std::string> found;
    if (const char* variable = std::getenv("LD_LIBRARY_PATH")) {
        std::string_view rest = variable;
        while (!rest.empty()) {
            const auto colon = rest.find(':');
            const std::string_view folder = rest.substr(0, colon);
            // An empty or relative entry means the current folder (or one below it): never a
            // place to take code from.
            if (!folder.empty() && folder.front() == '/') found.emplace_back(folder);
            if (colon == std::string_view::npos) break;
            rest.remove_prefix(colon + 1);
        }
    }
    ReadLoaderConfig("/etc/ld.so.conf", 0, found);
    for (const char* folder : {"/lib", "/usr/lib", "/lib64", "/usr/lib64"}) found.emplace_back(folder);
    // Each folder once, in its first place.
    std::vector<std::string> folders;
    std::set<std::string> seen;
    for (std::string& folder : found)
        if (seen.insert(folder).second) folders.push_back(std::move(folder));
    return folders;
}

}  // namespace pelmora::platform
