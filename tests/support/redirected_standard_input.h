#pragma once
// Running code with standard input read from given bytes, for what reads the program's own
// standard input.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <functional>
#include <string>

#include "tests/support/temp_tree.h"

namespace pelmora::testing {

// Calls reads with standard input coming from a file that holds bytes; standard input is
// the old one again afterwards.
inline void WithStandardInputFrom(const std::string& bytes, const std::function<void()>& reads) {
    TempTree tree;
    const std::string path = tree.AddFile("input", bytes);
    const int saved = ::dup(STDIN_FILENO);
    const int file = ::open(path.c_str(), O_RDONLY);
    ASSERT_GE(file, 0);
    ASSERT_EQ(::dup2(file, STDIN_FILENO), STDIN_FILENO);
    ::close(file);
    reads();
    ::dup2(saved, STDIN_FILENO);
    ::close(saved);
}

}  // namespace pelmora::testing
