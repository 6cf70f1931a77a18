// Passwords in memory: out of core dumps while kept, wiped once forgotten.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <string>

#include "platform/secret_memory.h"
#include "platform/secret_text.h"
#include "platform/smb_credentials.h"
#include "tests/support/core_dump_flags.h"

namespace pelmora::platform {
namespace {

using testing::LeftOutOfCoreDumps;
using testing::MappingFlags;

bool AllZero(const char* bytes, std::size_t size) {
    for (std::size_t i = 0; i < size; ++i)
        if (bytes[i] != '\0') return false;
    return true;
}

TEST(SecretMemory, ASecretLivesOnPagesOfItsOwnThatCoreDumpsLeaveOut) {
    const SecretText password("correct horse");
    EXPECT_EQ(password, "correct horse");
    EXPECT_STREQ(password.CString(), "correct horse");
    const char* bytes = password.View().data();
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(bytes) % static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE)), 0u);
    EXPECT_TRUE(LeftOutOfCoreDumps(bytes)) << MappingFlags(bytes);
    // The heap is dumped: the check tells the two apart.
    const std::string ordinary(64, 'x');
    EXPECT_FALSE(LeftOutOfCoreDumps(ordinary.data())) << MappingFlags(ordinary.data());

    // A copy is a secret of its own; a long one spans pages that are all left out.
    const SecretText copy = password;
    EXPECT_NE(copy.View().data(), bytes);
    EXPECT_TRUE(LeftOutOfCoreDumps(copy.View().data()));
    const SecretText longer(std::string(3 * static_cast<std::size_t>(sysconf(_SC_PAGESIZE)), 'p'));
    EXPECT_TRUE(LeftOutOfCoreDumps(longer.View().data() + longer.size() - 1));
    EXPECT_TRUE(SecretText().empty());
}

TEST(SecretMemory, ASecretThatGoesOrChangesLeavesZerosBehind) {
    const char* first = nullptr;
    {
        const SecretText password("hunter2");
        first = password.View().data();
    }
    // The pages stay with the process, so what was there can be looked at.
    EXPECT_TRUE(AllZero(first, 8));

    SecretText changed("old-password");
    const char* old = changed.View().data();
    changed = SecretText("new");
    EXPECT_TRUE(old == changed.View().data() || AllZero(old, 12));
    EXPECT_EQ(changed, "new");
    SecretText moved = std::move(changed);
    EXPECT_EQ(moved, "new");
    const char* last = moved.View().data();
    moved.Clear();
    EXPECT_TRUE(moved.empty());
    EXPECT_TRUE(AllZero(last, 4));
}

TEST(SecretMemory, TheCredentialStoreKeepsAndHandsOutPasswordsInSecretMemory) {
    auto& store = SmbCredentialStore::ForThisRun();
    store.Remember("vault", {"alice", "", "S3cret-pw"});
    const char* handedOut = nullptr;
    {
        const auto found = store.Find("vault");
        ASSERT_TRUE(found);
        EXPECT_EQ(found->password, "S3cret-pw");
        handedOut = found->password.View().data();
        EXPECT_TRUE(LeftOutOfCoreDumps(handedOut));
    }
    EXPECT_TRUE(AllZero(handedOut, 9));
    store.Forget("vault");
    EXPECT_FALSE(store.Find("vault"));
}

}  // namespace
}  // namespace pelmora::platform
