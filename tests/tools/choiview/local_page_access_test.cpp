// What a page shown from a file may load of other files, on real folders with links.
#include "tools/choiview/local_page_access.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include "tests/support/temp_tree.h"
#include "tools/choiview/page_file_url.h"

namespace pelmora {
namespace {

using testing::TempTree;

class LocalPageAccess : public ::testing::Test {
protected:
    TempTree tree_;
    const std::string page_ = tree_.AddFile("home/dl/page.html", "<html>");

    void Link(const std::string& target, const std::string& link) {
        ASSERT_EQ(::symlink(target.c_str(), (tree_ / link).c_str()), 0);
    }
    bool Embeds(const std::string& relative) {
        return LocalPageMayLoad(page_, tree_ / relative, LocalFileUse::Embedded);
    }
};

TEST_F(LocalPageAccess, OwnFolderTreeOnlyAndNoHiddenNames) {
    tree_.AddFile("home/dl/style.css");
    tree_.AddFile("home/dl/page_files/a b.png");
    tree_.AddFile("home/tax.txt");
    tree_.AddFile("home/dl-other/x.png");
    tree_.AddFile("home/dl/.hidden.png");
    tree_.AddFile("home/dl/.cache/x.png");
    EXPECT_TRUE(Embeds("home/dl/style.css"));
    EXPECT_TRUE(Embeds("home/dl/page_files/a b.png"));
    EXPECT_TRUE(LocalPageMayLoad(page_, page_, LocalFileUse::Navigation));
    // Outside the folder, up and out, or a neighbour whose name only starts the same.
    EXPECT_FALSE(Embeds("home/tax.txt"));
    EXPECT_FALSE(Embeds("home/dl/../tax.txt"));
    EXPECT_FALSE(Embeds("home/dl/./style.css"));
    EXPECT_FALSE(Embeds("home/dl-other/x.png"));
    EXPECT_FALSE(Embeds("home/dl/"));
    EXPECT_FALSE(Embeds("home/dl//style.css"));
    // Hidden files and folders below it are not the page's.
    EXPECT_FALSE(Embeds("home/dl/.hidden.png"));
    EXPECT_FALSE(Embeds("home/dl/.cache/x.png"));
    // Missing files are not served.
    EXPECT_FALSE(Embeds("home/dl/gone.png"));
    // A script's request never reads a file, not even the page; without a page nothing loads.
    EXPECT_FALSE(LocalPageMayLoad(page_, tree_ / "home/dl/style.css", LocalFileUse::Request));
    EXPECT_FALSE(LocalPageMayLoad(page_, page_, LocalFileUse::Request));
    EXPECT_FALSE(LocalPageMayLoad("", tree_ / "home/dl/style.css", LocalFileUse::Embedded));
    // A frame's document follows the same rule.
    EXPECT_FALSE(LocalPageMayLoad(page_, tree_ / "home/tax.txt", LocalFileUse::Navigation));
}

TEST_F(LocalPageAccess, LinksCountWhereTheyLead) {
    tree_.AddFile("home/.ssh/id_rsa", "key");
    tree_.AddFile("home/tax.txt");
    tree_.AddFile("home/dl/pictures/dot.png");
    Link("../.ssh", "home/dl/keys");
    Link("../tax.txt", "home/dl/tax.txt");
    Link("pictures/dot.png", "home/dl/dot.png");
    Link(tree_ / "home/dl/pictures", "home/dl/album");
    EXPECT_FALSE(Embeds("home/dl/keys/id_rsa"));
    EXPECT_FALSE(Embeds("home/dl/tax.txt"));
    // Links that stay inside the folder tree are the page's own.
    EXPECT_TRUE(Embeds("home/dl/dot.png"));
    EXPECT_TRUE(Embeds("home/dl/album/dot.png"));
    // A link inside to a hidden name: hidden where it leads.
    tree_.AddFile("home/dl/.secret/p.png");
    Link(".secret/p.png", "home/dl/shown.png");
    EXPECT_FALSE(Embeds("home/dl/shown.png"));
}

TEST_F(LocalPageAccess, APageReachedThroughALinkedFolderKeepsItsFolder) {
    tree_.AddFile("home/dl/style.css");
    tree_.AddFile("home/tax.txt");
    Link("dl", "home/site");
    const std::string page = tree_ / "home/site/page.html";
    EXPECT_TRUE(LocalPageMayLoad(page, tree_ / "home/site/style.css", LocalFileUse::Embedded));
    EXPECT_FALSE(LocalPageMayLoad(page, tree_ / "home/tax.txt", LocalFileUse::Embedded));
}

TEST(LocalPageAccessOnShares, TheFolderRuleHoldsWithoutResolving) {
    const char* page = "//server/share/site/page.html";
    EXPECT_TRUE(LocalPageMayLoad(page, "//server/share/site/pics/a.gif", LocalFileUse::Embedded));
    EXPECT_FALSE(LocalPageMayLoad(page, "//server/share/other.txt", LocalFileUse::Embedded));
    EXPECT_FALSE(LocalPageMayLoad(page, "//server/share/site/.git/config", LocalFileUse::Embedded));
    EXPECT_EQ(ResolvedPagePath("//server/share/a/b"), "//server/share/a/b");
}

TEST(PageFileUrl, PathsRoundTripThroughTheSchemeAsBytes) {
    EXPECT_EQ(PageFileUrl("/home/u/a b.html"), "pelmora-file:/home/u/a%20b.html");
    // A share keeps its second slash escaped, so the URL has no host.
    EXPECT_EQ(PageFileUrl("//srv/share/p.htm"), "pelmora-file:/%2Fsrv/share/p.htm");
    for (const std::string path : {"/home/u/a b.html", "//srv/share/p.htm", "/x/\xff\xfe%#?.gif", "/日本/ページ.html"}) {
        const std::string url = PageFileUrl(path);
        ASSERT_EQ(url.rfind("pelmora-file:", 0), 0u);
        EXPECT_EQ(PathOfPageFileUrl(url.substr(13)), path);
    }
    EXPECT_EQ(PathOfPageFileUrl("relative/x"), std::nullopt);
    EXPECT_EQ(PathOfPageFileUrl("/a%00b"), std::nullopt);
    EXPECT_EQ(PathOfPageFileUrl("/a%2"), std::nullopt);
    EXPECT_EQ(PathOfPageFileUrl("/a%zz"), std::nullopt);
}

TEST(PageFileUrl, ContentTypeByExtension) {
    EXPECT_EQ(PageFileMimeType("/a/page.HTM"), "text/html");
    EXPECT_EQ(PageFileMimeType("/a/photo.jpeg"), "image/jpeg");
    EXPECT_EQ(PageFileMimeType("/a/style.css"), "text/css");
    EXPECT_EQ(PageFileMimeType("/a/anim.Gif"), "image/gif");
    EXPECT_EQ(PageFileMimeType("/a/noext"), "application/octet-stream");
    EXPECT_EQ(PageFileMimeType("/a/x.unknown"), "application/octet-stream");
}

}  // namespace
}  // namespace pelmora
