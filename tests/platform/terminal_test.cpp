#include "platform/terminal.h"

#include <gtest/gtest.h>

#include "platform/standard_input.h"
#include "tests/support/redirected_standard_input.h"

namespace pelmora::platform {
namespace {

using pelmora::testing::WithStandardInputFrom;

TEST(Terminal, ReadsOneLineAndNoFurther) {
    WithStandardInputFrom("y\n\nはい\r\nlast", [] {
        EXPECT_EQ(ReadStandardInputLine(), std::optional<std::string>("y"));
        EXPECT_EQ(ReadStandardInputLine(), std::optional<std::string>(""));
        EXPECT_EQ(ReadStandardInputLine(), std::optional<std::string>("はい\r"));
        EXPECT_EQ(ReadAllStandardInput(), "last");
    });
    // A last line without LF counts; after it the input has ended.
    WithStandardInputFrom("n", [] {
        EXPECT_EQ(ReadStandardInputLine(), std::optional<std::string>("n"));
        EXPECT_EQ(ReadStandardInputLine(), std::nullopt);
    });
}

}  // namespace
}  // namespace pelmora::platform
