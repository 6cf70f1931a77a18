// Reading a file that holds a password: only a file its owner alone may read and change.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/private_file.h"
#include "tests/support/core_dump_flags.h"
#include "tests/support/temp_tree.h"

namespace pelmora::platform {
namespace {

class PrivateFileTest : public ::testing::Test {
protected:
    std::string FileWithMode(const std::string& name, mode_t mode) {
        const std::string path = folder.AddFile(name, "password = secret\n");
        chmod(path.c_str(), mode);
        return path;
    }
    testing::TempTree folder;
};

TEST_F(PrivateFileTest, OnlyTheOwnerMayReadOrChangeTheFile) {
    SecretText content;
    EXPECT_EQ(ReadPrivateFile(FileWithMode("owner-only", 0600), content), PrivateFileRead::Read);
    EXPECT_EQ(content, "password = secret\n");
    // Straight into memory that core dumps leave out.
    EXPECT_TRUE(testing::LeftOutOfCoreDumps(content.View().data()));
    EXPECT_EQ(ReadPrivateFile(FileWithMode("owner-reads", 0400), content), PrivateFileRead::Read);

    // Whoever may change the file may put credentials of their choice into it.
    for (const mode_t mode : {0640, 0604, 0620, 0602, 0660, 0666}) {
        const std::string path = FileWithMode("mode-" + std::to_string(mode), mode);
        EXPECT_EQ(ReadPrivateFile(path, content), PrivateFileRead::OthersCanReadOrWrite) << std::oct << mode;
        EXPECT_TRUE(content.empty()) << std::oct << mode;
    }
}

TEST_F(PrivateFileTest, AFileOfAnotherUserIsRefusedEvenWhenPrivate) {
    const std::string path = FileWithMode("theirs", 0600);
    if (chown(path.c_str(), 65534, 65534) != 0) GTEST_SKIP() << "giving a file away needs root";
    SecretText content;
    EXPECT_EQ(ReadPrivateFile(path, content), PrivateFileRead::NotOwned);
    EXPECT_TRUE(content.empty());
}

TEST_F(PrivateFileTest, AMissingFileAFolderOrAHugeFileIsNoSecret) {
    SecretText content;
    const std::string huge = folder.AddFile("huge", std::string(kMaxPrivateFileSize + 1, 'x'));
    chmod(huge.c_str(), 0600);
    EXPECT_EQ(ReadPrivateFile(huge, content), PrivateFileRead::TooLarge);
    const std::string largest = folder.AddFile("largest", std::string(kMaxPrivateFileSize, 'x'));
    chmod(largest.c_str(), 0600);
    EXPECT_EQ(ReadPrivateFile(largest, content), PrivateFileRead::Read);
    EXPECT_EQ(content.size(), kMaxPrivateFileSize);
    EXPECT_EQ(ReadPrivateFile(folder / "absent", content), PrivateFileRead::Missing);
    const std::string sub = folder.AddFolder("sub");
    chmod(sub.c_str(), 0700);
    EXPECT_EQ(ReadPrivateFile(sub, content), PrivateFileRead::Unreadable);
}

}  // namespace
}  // namespace pelmora::platform
