#include "platform/security.h"

#include <gtest/gtest.h>
#include <grp.h>
#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tests/support/temp_tree.h"
#include "tools/aclview/acl_text.h"

namespace pelmora::platform {
namespace {

std::string Column(const std::string& name) { return AccountNameColumn(name); }

std::string MyUserName() {
    const passwd* pw = getpwuid(geteuid());
    return pw ? pw->pw_name : std::to_string(geteuid());
}

class PosixSecurityTest : public ::testing::Test {
protected:
    void SetUp() override {
        struct stat st {};
        ASSERT_EQ(stat(file_.c_str(), &st), 0);
        const group* gr = getgrgid(st.st_gid);
        groupName_ = gr ? gr->gr_name : std::to_string(st.st_gid);
    }

    testing::TempTree tree_;
    const std::filesystem::path folder_ = tree_.path();
    const std::string file_ = tree_.AddFile("file.txt", "x");
    std::string groupName_;
};

// Owner, owning group and others come from the permission bits of a plain file.
TEST_F(PosixSecurityTest, PermissionBitsBecomeOwnerGroupAndEveryone) {
    const auto& security = SystemSecurityService();
    ASSERT_TRUE(security.KeepsPerFilePermissions(file_));
    struct Case {
        std::filesystem::perms perms;
        std::vector<std::string> rights;
    };
    using P = std::filesystem::perms;
    const Case cases[] = {
        {P::owner_all | P::group_read | P::group_exec | P::others_read | P::others_exec, {"All", "RX", "RX"}},
        {P::owner_read | P::owner_write | P::group_read, {"RWDPO", "R", "特別なアクセス権"}},
        {P::owner_read | P::group_write | P::others_exec, {"RPO", "WD", "X"}},
        {P::none, {"PO", "特別なアクセス権", "特別なアクセス権"}},
    };
    for (const Case& c : cases) {
        std::filesystem::permissions(file_, c.perms);
        const std::vector<std::string> expected = {Column(MyUserName()) + c.rights[0], Column(groupName_) + c.rights[1],
                                                   Column("Everyone") + c.rights[2]};
        EXPECT_EQ(AclLines(file_, security), expected);
    }
}

TEST_F(PosixSecurityTest, ExtendedListShowsNamedEntriesLimitedByTheMask) {
    if (!testing::ToolInstalled("setfacl")) GTEST_SKIP() << "setfacl is not installed";
    std::filesystem::permissions(file_, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    // uid 0 and gid 0 always exist; the mask r-x takes write away from every group-class entry.
    const std::string command = "setfacl -m u:0:rwx,g::rw,g:0:rw,m::rx '" + file_ + "' 2>/dev/null";
    if (std::system(command.c_str()) != 0) GTEST_SKIP() << "the temporary folder does not take access lists";

    const passwd* root = getpwuid(0);
    const group* rootGroup = getgrgid(0);
    const std::vector<std::string> expected = {
        Column(MyUserName()) + "RWDPO",
        Column(root ? root->pw_name : "0") + "RX",
        Column(groupName_) + "R",
        Column(rootGroup ? rootGroup->gr_name : "0") + "R",
        Column("Everyone") + "特別なアクセス権",
    };
    EXPECT_EQ(AclLines(file_, SystemSecurityService()), expected);
}

TEST_F(PosixSecurityTest, FolderIsListedLikeAFile) {
    std::filesystem::permissions(folder_, std::filesystem::perms::owner_all);
    const auto lines = AclLines(folder_.string(), SystemSecurityService());
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], Column(MyUserName()) + "All");
}

TEST_F(PosixSecurityTest, UnreachablePathsGiveTheirMessageLines) {
    const auto& security = SystemSecurityService();
    EXPECT_EQ(AclLines("//server/share/a.txt", security), std::vector<std::string>{"ドライブがNTFSではありません"});
    EXPECT_EQ(AclLines("", security), std::vector<std::string>{"ドライブがNTFSではありません"});
    // A missing file on a good volume is a read failure, as its volume is fine.
    EXPECT_TRUE(security.KeepsPerFilePermissions((folder_ / "missing" / "deeper.txt").string()));
    EXPECT_EQ(AclLines((folder_ / "missing.txt").string(), security), std::vector<std::string>{"取得に失敗しました"});
}

}  // namespace
}  // namespace pelmora::platform
