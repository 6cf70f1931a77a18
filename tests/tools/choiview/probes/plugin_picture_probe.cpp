// Shows one picture through the plug-in search as the program does (no folders of its own,
// the system's library folders), and prints what came of it: the code, or the message. The
// plug-in tests run it with an environment and a current folder of their choosing, which the
// loader reads only when a process starts.
#include <cstdio>

#include "tools/choiview/plugin_picture.h"

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    const pelmora::PluginPicture result = pelmora::LoadPluginPicture(argv[1], {{}, true});
    if (result.failureMessage) {
        std::printf("%s\n", result.failureMessage->c_str());
    } else {
        std::printf("code %d\n", result.code);
    }
    return 0;
}
