#include "platform/shared_library.h"

namespace pelmora::platform {

// Not available on Windows yet: the image-reader plug-ins are part of ChoiView's port.

std::unique_ptr<SharedLibrary> OpenSharedLibrary(const std::string&, std::string& error) {
    error = "loading a library is not available on Windows yet";
    return nullptr;
}

std::vector<std::string> SystemLibraryFolders() { return {}; }

}  // namespace pelmora::platform
