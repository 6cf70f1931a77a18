#include "tools/choiview/local_page_access.h"

#include <gtest/gtest.h>

namespace pelmora {
namespace {

TEST(LocalPageAccess, OnlyEmbeddedFilesOfThePagesOwnFolderTree) {
    const char* page = "/home/u/saved/page.html";
    EXPECT_TRUE(LocalPageMayLoad(page, "/home/u/saved/style.css", LocalFileUse::Embedded));
    EXPECT_TRUE(LocalPageMayLoad(page, "/home/u/saved/page_files/a b.png", LocalFileUse::Embedded));
    // Outside the folder, up and out, or a neighbour whose name only starts the same.
    EXPECT_FALSE(LocalPageMayLoad(page, "/home/u/secret.txt", LocalFileUse::Embedded));
    EXPECT_FALSE(LocalPageMayLoad(page, "/home/u/saved/../secret.txt", LocalFileUse::Embedded));
    EXPECT_FALSE(LocalPageMayLoad(page, "/home/u/saved-other/x.png", LocalFileUse::Embedded));
    EXPECT_FALSE(LocalPageMayLoad(page, "/home/u/saved/", LocalFileUse::Embedded));
    // Hidden files and folders below it are not the page's.
    EXPECT_FALSE(LocalPageMayLoad("/home/u/page.html", "/home/u/.ssh/id_rsa", LocalFileUse::Embedded));
    EXPECT_FALSE(LocalPageMayLoad(page, "/home/u/saved/.hidden.png", LocalFileUse::Embedded));
    EXPECT_FALSE(LocalPageMayLoad(page, "/home/u/saved//x.png", LocalFileUse::Embedded));
    // A script's request never reads a local file, even beside the page.
    EXPECT_FALSE(LocalPageMayLoad(page, "/home/u/saved/data.txt", LocalFileUse::Request));
    // No local page (a remote one, or none): nothing embedded from the disk.
    EXPECT_FALSE(LocalPageMayLoad("", "/home/u/saved/style.css", LocalFileUse::Embedded));
    // Navigating (the page itself, the blank page, a followed link) is always allowed.
    EXPECT_TRUE(LocalPageMayLoad("", "/etc/Message1.jpg", LocalFileUse::Navigation));
    EXPECT_TRUE(LocalPageMayLoad(page, "/elsewhere/other.html", LocalFileUse::Navigation));
}

}  // namespace
}  // namespace pelmora
