#pragma once
// Shared libraries loaded at run time (ChoiView's image-reader plug-ins), and the folders in
// which the system looks for a library named without a folder.

#include <memory>
#include <string>
#include <vector>

namespace pelmora::platform {

class SharedLibrary {
public:
    virtual ~SharedLibrary() = default;
    // The address of an exported symbol; null when the library has none of that name.
    virtual void* Symbol(const char* name) const = 0;
};

// Loads the library at the absolute path. Null when it cannot be loaded (a bare or relative
// name is refused, so the loader never searches for it); error then holds the reason. The library stays loaded while the object
// lives.
std::unique_ptr<SharedLibrary> OpenSharedLibrary(const std::string& path, std::string& error);

// The folders of the system's library search, in order, as far as they can be read
// (on POSIX: LD_LIBRARY_PATH, the loader's configuration, the default folders). Only
// absolute folders: empty and relative entries, which name the current folder, are left out.
std::vector<std::string> SystemLibraryFolders();

}  // namespace pelmora::platform
