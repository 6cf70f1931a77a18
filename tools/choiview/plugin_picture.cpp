#include "tools/choiview/plugin_picture.h"

#include <chrono>
#include <memory>

#include "platform/file_system.h"
#include "tools/choiview/plugin_choice.h"
#include "tools/choiview/plugin_reply.h"
#include "tools/choiview/viewer_file_bytes.h"
#include "tools/choiview/viewer_file_names.h"

namespace pelmora {

namespace {

// Long enough for the largest picture shown.
constexpr std::chrono::seconds kPluginTimeLimit{30};

}  // namespace

std::span<const std::uint32_t> SharedRgbPicture::Pixels() const {
    if (!pixels) return {};
    return {static_cast<const std::uint32_t*>(pixels->Data()),
            static_cast<std::size_t>(width) * static_cast<std::size_t>(height)};
}

PluginPicture LoadPluginPicture(const std::string& path, const PluginFolders& where, const platform::IsolatedRunner& run,
                                const FileReadWait& read) {
    PluginPicture result;
    const std::string library(PluginLibraryOf(PluginExtension(path)));
    if (library.empty()) {
        result.code = plugin_code::kNoPlugin;
        return result;
    }
    // Only a library found in one of the folders is loaded, by its full path: the loader's
    // own search of a bare name could take one from the current folder.
    const std::optional<std::string> found = FindPluginLibrary(library, where);
    if (!found) {
        result.failureMessage = PluginFailureMessage(library, false);
        return result;
    }
    // Plug-ins are handed a file name: the README's example, like many plug-ins, reads files
    // only (not memory). A file that is not local is copied privately under its own name for
    // the time of the call.
    std::unique_ptr<PrivateFileCopy> copy;
    const std::string file = LocalPathOf(path, copy, read);
    if (file.empty()) {
        result.code = plugin_code::kFileUnreadable;
        return result;
    }
    // The plug-in runs in the helper program, which holds nothing of this program's memory;
    // one that crashes or hangs on a file is one that failed to show it. The pixels come in
    // a block of memory shared with it alone, made afresh for the call.
    const std::string host = platform::JoinPath(platform::ProgramFolder(), kPluginHostProgram);
    const std::unique_ptr<platform::SharedAnswerBlock> block = platform::MakeSharedAnswerBlock();
    const std::optional<std::string> reply =
        block ? run([&] { return platform::StartIsolatedProgram({host, *found, file}, block.get()); }, kPluginTimeLimit)
              : std::nullopt;
    constexpr auto kLargestPixels = static_cast<std::uint64_t>(kMaxDibPixels) * sizeof(std::uint32_t);
    if (std::optional<PluginPicture> decoded = reply ? ReadPluginReply(*reply, block->Take(kLargestPixels)) : std::nullopt)
        return std::move(*decoded);
    result.failureMessage = PluginFailureMessage(library, true);
    return result;
}

}  // namespace pelmora
