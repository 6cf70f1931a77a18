// pelmora-plugin-host LIBRARY FILE: runs one image-reader plug-in on one file for ChoiView,
// in a process of its own that holds nothing of the window's memory, and writes the reply on
// standard output; the picture's pixels go into the block its caller shares with it.
#include <cstdint>
#include <memory>

#include "platform/isolated_call.h"
#include "tools/choiview/plugin_reply.h"

int main(int argc, char** argv) {
    if (argc != 3) return 2;
    // Before the plug-in reads a byte of the file.
    if (!pelmora::platform::ForbidMemoryDumps()) return 1;
    // Mapped until the process ends: the caller reads the block once this has ended.
    std::unique_ptr<pelmora::platform::WritableSharedBlock> block;
    const auto place = [&block](int width, int height) -> std::uint32_t* {
        block = pelmora::platform::OpenSharedAnswerBlock(static_cast<std::uint64_t>(width) *
                                                         static_cast<std::uint64_t>(height) * sizeof(std::uint32_t));
        return block ? static_cast<std::uint32_t*>(block->Data()) : nullptr;
    };
    return pelmora::platform::WriteIsolatedAnswer(pelmora::DecodeWithPlugin(argv[1], argv[2], place)) ? 0 : 1;
}
