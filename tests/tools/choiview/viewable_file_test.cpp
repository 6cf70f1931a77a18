// The check before ChoiView opens anything: only regular files, from the facts alone.
#include "tools/choiview/viewable_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/file_system_service.h"
#include "tests/support/temp_tree.h"

namespace pelmora {
namespace {

using testing::TempTree;

Settings AllKinds() {
    Settings settings;
    settings.CV_txt = settings.CV_other_txt = settings.CV_bmp = settings.CV_Su_png = settings.CV_htm = "1";
    return settings;
}

TEST(ViewableFile, OnlyRegularFilesAreOpened) {
    TempTree tree;
    const std::string fifo = tree / "pipe.jpg";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string regular = tree.AddFile("a.txt", "text");
    ASSERT_EQ(::symlink("a.txt", (tree / "link.txt").c_str()), 0);
    ASSERT_EQ(::symlink("gone.txt", (tree / "dangling.txt").c_str()), 0);
    ASSERT_EQ(::symlink("pipe.jpg", (tree / "pipe-link.png").c_str()), 0);
    tree.AddFolder("folder.bmp");

    const auto facts = platform::LocalFileSystem().Facts(fifo);
    ASSERT_TRUE(facts.has_value());
    EXPECT_TRUE(facts->isSpecial);
    EXPECT_FALSE(platform::LocalFileSystem().Facts(regular)->isSpecial);
    EXPECT_TRUE(platform::LocalFileSystem().Facts("/dev/null")->isSpecial);
    EXPECT_FALSE(platform::LocalFileSystem().Facts(tree / "folder.bmp")->isSpecial);

    EXPECT_TRUE(IsRegularFileToView(regular));
    EXPECT_TRUE(IsRegularFileToView(tree / "link.txt"));
    for (const std::string& refused : {fifo, tree / "pipe-link.png", tree / "dangling.txt", tree / "folder.bmp",
                                       tree / "missing.txt", std::string("/dev/null")}) {
        EXPECT_FALSE(IsRegularFileToView(refused)) << refused;
    }
}

TEST(ViewableFile, RefusedOnlyWhenTheNameGivesAKind) {
    TempTree tree;
    const Settings settings = AllKinds();
    for (const char* name : {"p.txt", "p.dat", "p.bmp", "p.png", "p.html", "noext"}) {
        ASSERT_EQ(::mkfifo((tree / name).c_str(), 0600), 0) << name;
    }
    EXPECT_TRUE(ViewerMustRefuseUnopened(tree / "p.txt", settings));
    EXPECT_TRUE(ViewerMustRefuseUnopened(tree / "p.dat", settings));  // other_TEXT: before its NUL test
    EXPECT_TRUE(ViewerMustRefuseUnopened(tree / "p.bmp", settings));
    EXPECT_TRUE(ViewerMustRefuseUnopened(tree / "p.png", settings));
    EXPECT_TRUE(ViewerMustRefuseUnopened(tree / "p.html", settings));
    // No kind by its name: nothing is shown and nothing said, as for any such file.
    EXPECT_FALSE(ViewerMustRefuseUnopened(tree / "noext", settings));
    Settings closed = settings;
    closed.CV_txt = "0";
    EXPECT_FALSE(ViewerMustRefuseUnopened(tree / "p.txt", closed));
    EXPECT_FALSE(ViewerMustRefuseUnopened(tree.AddFile("ok.txt", "x"), settings));
}

}  // namespace
}  // namespace pelmora
