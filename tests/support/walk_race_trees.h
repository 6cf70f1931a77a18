#pragma once
// The trees on which a walk on several threads must give what the walk on one gives: links
// back up and sideways, a deep chain and every byte a name can hold on the real disk;
// unreadable and vanishing folders in a fake file system.

#include <string>
#include <system_error>

#include "tests/support/fake_file_system.h"
#include "tests/support/temp_tree.h"

namespace pelmora::testing {

inline void AddLinksAndOddNames(TempTree& tree) {
    tree.AddFile("x/f");
    tree.AddLink("x/up", tree.path());
    tree.AddLink("x/self", ".");
    tree.AddFile("y/g");
    tree.AddLink("x/sibling", tree / "y");
    tree.AddDeepChain("deep", 60, "d", "bottom");
    // Every byte a name can hold, alone and after a letter, in files and in folders.
    for (int byte = 1; byte < 256; ++byte) {
        if (byte == '/') continue;
        const std::string odd(1, static_cast<char>(byte));
        if (odd != ".") tree.AddFile("odd/" + odd);
        tree.AddFile("odd/n" + odd + "/inside" + odd);
    }
}

// Forty folders of twelve subfolders below /r; three of them cannot be opened.
inline void AddFoldersWithUnreadableOnes(FakeFileSystem& files) {
    for (int i = 0; i < 40; ++i) {
        const std::string folder = "/r/f" + std::to_string(i);
        for (int j = 0; j < 12; ++j) files.AddFile(folder + "/s" + std::to_string(j) + "/file" + std::to_string(j));
        files.AddFile(folder + "/top");
    }
    files.FailOpening("/r/f7", std::errc::permission_denied);
    files.FailOpening("/r/f20/s3", std::errc::permission_denied);
    files.FailOpening("/r/f33", std::errc::permission_denied);
}

// Two folders of those that vanish while they are read: they are gone after one walk, so
// each walk calls this first.
inline void MakeFoldersVanish(FakeFileSystem& files) {
    for (const char* folder : {"/r/f11", "/r/f25/s0"}) {
        files.AddFile(std::string(folder) + "/again1");  // two: it vanishes at the second
        files.AddFile(std::string(folder) + "/again2");
        files.VanishWhileRead(folder);
    }
}

}  // namespace pelmora::testing
