#include "platform/file_system.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace pelmora::platform;

TEST(FileSystem, JoinPathNeverDoublesTheSeparator) {
    EXPECT_EQ(JoinPath("/a", "b"), "/a/b");
    EXPECT_EQ(JoinPath("/", "b"), "/b");
    EXPECT_EQ(JoinPath("/a/", "b"), "/a/b");
}

TEST(FileSystem, PathHelpersKeepTheRootAndTellFoldersApart) {
    std::string path;
    AppendToPath(path, "a");
    EXPECT_EQ(path, "/a");
    AppendToPath(path, "b");
    EXPECT_EQ(path, "/a/b");
    EXPECT_EQ(WithoutTrailingSeparators("/a//"), "/a");
    EXPECT_EQ(WithoutTrailingSeparators("///"), "/");
    EXPECT_TRUE(IsRootFolder("//"));
    EXPECT_FALSE(IsRootFolder(""));
    EXPECT_FALSE(IsRootFolder("/a"));
    EXPECT_TRUE(IsInFolder("/mnt/usb/x", "/mnt/usb"));
    EXPECT_TRUE(IsInFolder("/mnt/usb", "/mnt/usb"));
    EXPECT_FALSE(IsInFolder("/mnt/usb2", "/mnt/usb"));
    EXPECT_TRUE(IsInFolder("/anything", RootFolder()));
    EXPECT_FALSE(IsInFolder("relative", RootFolder()));
    EXPECT_EQ(LastSeparator("/a/bc"), 2u);
}

TEST(FileSystem, ExistenceTellsFilesFromFolders) {
    EXPECT_TRUE(FolderExists("/"));
    EXPECT_FALSE(FileExists("/"));
    EXPECT_FALSE(FolderExists(""));
    EXPECT_TRUE(IsNetworkPath("//server/share"));
    EXPECT_FALSE(IsNetworkPath("/server/share"));
    EXPECT_FALSE(ProgramFolder().empty());
}

TEST(FileSystem, CacheFolderFollowsTheDesktopRule) {
    const char* savedCache = std::getenv("XDG_CACHE_HOME");
    const std::string saved = savedCache ? savedCache : "";
    ::setenv("XDG_CACHE_HOME", "/var/tmp/my cache", 1);
    EXPECT_EQ(UserCacheFolder(), "/var/tmp/my cache");
    // A relative or empty setting is not a cache folder: the one in the home folder is used.
    for (const char* ignored : {"relative/cache", ""}) {
        ::setenv("XDG_CACHE_HOME", ignored, 1);
        EXPECT_EQ(UserCacheFolder(), JoinPath(HomeFolder(), ".cache")) << ignored;
    }
    if (savedCache) {
        ::setenv("XDG_CACHE_HOME", saved.c_str(), 1);
    } else {
        ::unsetenv("XDG_CACHE_HOME");
    }
}
