#pragma once
// PATH leads, for the life of this object, to a private folder holding only the desktop
// opener (xdg-open) the test writes, or none: the real opening path, with an opener that ends
// as the test wants.

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

#include "tests/support/temp_tree.h"

namespace pelmora::testing {

class FakeDesktopOpener {
public:
    FakeDesktopOpener() {
        const char* path = std::getenv("PATH");
        if (path) saved_ = path;
        std::filesystem::create_directories(tree / "bin");
        ::setenv("PATH", (tree / "bin").c_str(), 1);
    }
    ~FakeDesktopOpener() {
        if (saved_) ::setenv("PATH", saved_->c_str(), 1);
        else ::unsetenv("PATH");
    }
    FakeDesktopOpener(const FakeDesktopOpener&) = delete;
    FakeDesktopOpener& operator=(const FakeDesktopOpener&) = delete;

    // An opener that keeps the argument it got, complains on standard error as xdg-open does
    // when the desktop entry's program is missing, and ends with exitCode. With held, it
    // ends only once Release() is called, as xdg-open waits for some programs it starts.
    void Install(int exitCode, bool held = false) {
        const std::string opener = tree / "bin/xdg-open";
        std::ofstream script(opener);
        script << "#!/bin/sh\nprintf '%s' \"$1\" > '" << (tree / "argument") << "'\n";
        if (held) script << "while [ ! -e '" << (tree / "released") << "' ]; do sleep 0.02; done\n";
        script << "echo 'x-terminal-emulator: not found' >&2\nexit " << exitCode << "\n";
        script.close();
        ::chmod(opener.c_str(), 0755);
    }
    void Release() { std::ofstream(tree / "released").flush(); }
    void Remove() { std::filesystem::remove(tree / "bin/xdg-open"); }

    // What the opener was given, empty before it ran.
    std::string Argument() const {
        std::ifstream in(tree / "argument", std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    TempTree tree;

private:
    std::optional<std::string> saved_;
};

}  // namespace pelmora::testing
