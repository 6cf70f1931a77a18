#pragma once
// What every program this program starts through posix_spawn is given: its argument vector,
// and attributes that start it with no blocked signal and the default action for the
// signals this program blocks, handles or ignores itself (the window's threads block some,
// and a write to a closed pipe must end a child as it would end a program started from a
// shell).

#include <spawn.h>

#include <string>
#include <vector>

namespace pelmora::platform {

class SpawnAttributes {
public:
    enum class Group {
        Inherited,
        // A process group of the child's own, so that ending the group ends what it started.
        OwnGroup,
    };

    explicit SpawnAttributes(Group group);
    ~SpawnAttributes();
    SpawnAttributes(const SpawnAttributes&) = delete;
    SpawnAttributes& operator=(const SpawnAttributes&) = delete;

    const posix_spawnattr_t* get() const { return &attributes_; }

private:
    posix_spawnattr_t attributes_;
};

// Pointers into arguments, ending with a null pointer, as posix_spawn and exec take them;
// valid as long as arguments is unchanged.
std::vector<char*> SpawnArgv(const std::vector<std::string>& arguments);

}  // namespace pelmora::platform
