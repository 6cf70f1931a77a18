#include "tools/choiview/plugin_picture.h"

#include <chrono>

#include "platform/file_system.h"
#include "tools/choiview/plugin_choice.h"
#include "tools/choiview/plugin_reply.h"
#include "tools/choiview/viewer_file_names.h"

namespace pelmora {

namespace {

// Long enough for the largest picture shown.
constexpr std::chrono::seconds kPluginTimeLimit{30};

}  // namespace

PluginPicture LoadPluginPicture(const std::string& path, const PluginFolders& where, const platform::IsolatedRunner& run) {
    PluginPicture result;
    const std::string library(PluginLibraryOf(PluginExtension(path)));
    if (library.empty()) {
        result.code = plugin_code::kNoPlugin;
        return result;
    }
    const std::optional<std::string> found = FindPluginLibrary(library, where);
    // Not in a known folder: the system's own search may still know it. The plug-in runs in
    // the helper program, which holds nothing of this program's memory; one that crashes or
    // hangs on a file is one that failed to show it.
    const std::string host = platform::JoinPath(platform::ProgramFolder(), kPluginHostProgram);
    const std::optional<std::string> reply =
        run([&] { return platform::StartIsolatedProgram({host, found ? *found : library, path}); }, kPluginTimeLimit);
    if (std::optional<PluginPicture> decoded = reply ? ReadPluginReply(*reply) : std::nullopt) return std::move(*decoded);
    result.failureMessage = PluginFailureMessage(library, found.has_value());
    return result;
}

}  // namespace pelmora
