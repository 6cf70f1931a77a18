// pelmora-plugin-host LIBRARY FILE: runs one image-reader plug-in on one file for ChoiView,
// in a process of its own that holds nothing of the window's memory, and writes the reply on
// standard output.
#include "platform/isolated_call.h"
#include "tools/choiview/plugin_reply.h"

int main(int argc, char** argv) {
    if (argc != 3) return 2;
    // Before the plug-in reads a byte of the file.
    if (!pelmora::platform::ForbidMemoryDumps()) return 1;
    return pelmora::platform::WriteIsolatedAnswer(pelmora::DecodeWithPlugin(argv[1], argv[2])) ? 0 : 1;
}
