#include "platform/posix/spawn_setup_posix.h"

#include <signal.h>

namespace pelmora::platform {

SpawnAttributes::SpawnAttributes(Group group) {
    posix_spawnattr_init(&attributes_);
    short flags = POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF;
    if (group == Group::OwnGroup) {
        flags |= POSIX_SPAWN_SETPGROUP;
        posix_spawnattr_setpgroup(&attributes_, 0);
    }
    posix_spawnattr_setflags(&attributes_, flags);
    sigset_t signals;
    sigemptyset(&signals);
    posix_spawnattr_setsigmask(&attributes_, &signals);
    sigaddset(&signals, SIGPIPE);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    posix_spawnattr_setsigdefault(&attributes_, &signals);
}

SpawnAttributes::~SpawnAttributes() { posix_spawnattr_destroy(&attributes_); }

std::vector<char*> SpawnArgv(const std::vector<std::string>& arguments) {
    std::vector<char*> argv;
    argv.reserve(arguments.size() + 1);
    for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    return argv;
}

}  // namespace pelmora::platform
