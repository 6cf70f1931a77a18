#include "platform/file_system.h"

#include <gtest/gtest.h>

using namespace pelmora::platform;

TEST(FileSystem, JoinPathNeverDoublesTheSeparator) {
    EXPECT_EQ(JoinPath("/a", "b"), "/a/b");
    EXPECT_EQ(JoinPath("/", "b"), "/b");
    EXPECT_EQ(JoinPath("/a/", "b"), "/a/b");
}

TEST(FileSystem, ExistenceTellsFilesFromFolders) {
    EXPECT_TRUE(FolderExists("/"));
    EXPECT_FALSE(FileExists("/"));
    EXPECT_FALSE(FolderExists(""));
    EXPECT_TRUE(IsNetworkPath("//server/share"));
    EXPECT_FALSE(IsNetworkPath("/server/share"));
    EXPECT_FALSE(ProgramFolder().empty());
}
