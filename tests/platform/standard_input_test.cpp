#include "platform/standard_input.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>

#include "tests/support/temp_tree.h"

namespace pelmora::platform {
namespace {

// More than one read's worth, with NUL and bytes that are no UTF-8, comes back whole.
TEST(StandardInput, ReadsEveryByteToTheEnd) {
    pelmora::testing::TempTree tree;
    std::string bytes(200000, 'x');
    bytes[10] = '\0';
    bytes[70000] = '\xff';
    bytes.back() = '\r';
    const std::string path = tree.AddFile("input", bytes);

    const int saved = ::dup(STDIN_FILENO);
    const int file = ::open(path.c_str(), O_RDONLY);
    ASSERT_GE(file, 0);
    ASSERT_EQ(::dup2(file, STDIN_FILENO), STDIN_FILENO);
    ::close(file);
    const std::string read = ReadAllStandardInput();
    ::dup2(saved, STDIN_FILENO);
    ::close(saved);
    EXPECT_EQ(read, bytes);
}

}  // namespace
}  // namespace pelmora::platform
