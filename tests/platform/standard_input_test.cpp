#include "platform/standard_input.h"

#include <gtest/gtest.h>

#include "tests/support/redirected_standard_input.h"

namespace pelmora::platform {
namespace {

// More than one read's worth, with NUL and bytes that are no UTF-8, comes back whole.
TEST(StandardInput, ReadsEveryByteToTheEnd) {
    std::string bytes(200000, 'x');
    bytes[10] = '\0';
    bytes[70000] = '\xff';
    bytes.back() = '\r';
    pelmora::testing::WithStandardInputFrom(bytes, [&bytes] { EXPECT_EQ(ReadAllStandardInput(), bytes); });
}

}  // namespace
}  // namespace pelmora::platform
