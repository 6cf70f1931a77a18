#include "listing/engine/path_ops.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace pelmora {
namespace {

using namespace std::string_literals;

struct PathCase {
    std::string path;
    std::string folder, name, extension;
};

TEST(PathOps, SplitsPathsIntoTheirParts) {
    const PathCase cases[] = {
        {"", "", "", ""},
        {"/", "", "", ""},
        {"/b.txt", "", "b.txt", "txt"},
        {"/a/b.txt", "/a", "b.txt", "txt"},
        {"/a/b", "/a", "b", ""},
        {"b.txt", "", "b.txt", "txt"},
        {"/data/", "/data", "", ""},
        // The dot of a folder counts for the extension.
        {"/my.dir/readme", "/my.dir", "readme", "dir/readme"},
        {"/a/name.", "/a", "name.", ""},
        {"/a/archive.tar.gz", "/a", "archive.tar.gz", "gz"},
        {"/a/Note.TXT", "/a", "Note.TXT", "TXT"},
        // Hidden files keep their names; only the folder references are nameless.
        {"/home/u/.profile", "/home/u", ".profile", "profile"},
        {"/a/.", "/a", "", ""},
        {"/a/..", "/a", "", ""},
        {"//server/share/x.csv", "//server/share", "x.csv", "csv"},
        {"/a/b:c", "/a", "b:c", ""},
        {"/名前/ファイル.txt", "/名前", "ファイル.txt", "txt"},
        {"/bad\xff\xfe/n\x80.e\xff", "/bad\xff\xfe", "n\x80.e\xff", "e\xff"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(FolderPart(c.path), c.folder);
        EXPECT_EQ(FileNamePart(c.path), c.name);
        EXPECT_EQ(ExtensionPart(c.path), c.extension);
        EXPECT_EQ(FileNameOf(c.path), c.name);
        EXPECT_EQ(ExtensionOf(c.path), c.extension);
    }
}

TEST(PathOps, EverythingAfterANulIsIgnored) {
    const std::string path = "/a/b.txt\0/c/d.csv"s;
    EXPECT_EQ(FolderPart(path), "/a");
    EXPECT_EQ(FileNamePart(path), "b.txt");
    EXPECT_EQ(ExtensionPart(path), "txt");
    EXPECT_EQ(FolderPart("\0/a/b"s), "");
}

TEST(PathOps, AbsolutePathFoldsDotsWithoutResolvingLinks) {
    const std::string here = std::filesystem::current_path().string();
    const std::string parent = std::filesystem::current_path().parent_path().string();
    EXPECT_EQ(AbsolutePath("."), here);
    EXPECT_EQ(AbsolutePath("a/./b/../c/"), here + "/a/c");
    EXPECT_EQ(AbsolutePath("../x.txt"), parent + "/x.txt");
    EXPECT_EQ(AbsolutePath("/a/../../b//c/."), "/b/c");
    EXPECT_EQ(AbsolutePath("/"), "/");
}

}  // namespace
}  // namespace pelmora
