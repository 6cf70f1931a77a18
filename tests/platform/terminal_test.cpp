#include "platform/terminal.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <functional>

#include "platform/standard_input.h"
#include "tests/support/temp_tree.h"

namespace pelmora::platform {
namespace {

// Runs reads with standard input coming from the given bytes.
void WithStandardInput(const std::string& bytes, const std::function<void()>& reads) {
    pelmora::testing::TempTree tree;
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

TEST(Terminal, ReadsOneLineAndNoFurther) {
    WithStandardInput("y\n\nはい\r\nlast", [] {
        EXPECT_EQ(ReadStandardInputLine(), std::optional<std::string>("y"));
        EXPECT_EQ(ReadStandardInputLine(), std::optional<std::string>(""));
        EXPECT_EQ(ReadStandardInputLine(), std::optional<std::string>("はい\r"));
        EXPECT_EQ(ReadAllStandardInput(), "last");
    });
    // A last line without LF counts; after it the input has ended.
    WithStandardInput("n", [] {
        EXPECT_EQ(ReadStandardInputLine(), std::optional<std::string>("n"));
        EXPECT_EQ(ReadStandardInputLine(), std::nullopt);
    });
}

}  // namespace
}  // namespace pelmora::platform
