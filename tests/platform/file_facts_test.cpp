#include "platform/file_facts.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "tests/support/temp_tree.h"

namespace pelmora::platform {
namespace {

using namespace std::string_literals;

TEST(DosAttribValue, BothStoredForms) {
    const struct {
        const char* what;
        std::string value;
        std::optional<std::uint32_t> bits;
    } cases[] = {
        {"hex text", "0x20", 0x20},
        {"hex text with NUL", "0x27\0"s, 0x27},
        {"upper-case X", "0X1", 0x1},
        {"not hex", "0xZZ\0"s, std::nullopt},
        {"bare 0x", "0x\0"s, std::nullopt},
        {"empty", "", std::nullopt},
        {"no NUL, no hex", "hello", std::nullopt},
        // Newer records: text, pad to even, version twice, pad to four, info.
        {"version 5, no text", "\0\0\x05\0\x05\0\0\0\x11\0\0\0\x20\0\0\0"s, 0x20},
        {"version 4 after text", "0x22\0\0\x04\0\x04\0\0\0\x01\0\0\0\x22\0\0\0"s, 0x22},
        {"version 3 without valid attrib", "\0\0\x03\0\x03\0\0\0\x10\0\0\0\x20\0\0\0"s, std::nullopt},
        {"version 1", "\0\0\x01\0\x01\0\0\0\x03\0\0\0"s, 0x03},
        {"version 2", "\0\0\x02\0\x02\0\0\0\x00\0\0\0\x21\0\0\0"s, 0x21},
        {"unknown version", "\0\0\x09\0\x09\0\0\0\x01\0\0\0"s, std::nullopt},
        {"cut short", "\0\0\x05\0\x05\0\0\0\x11\0"s, std::nullopt},
        {"only the version", "\0\0\x05\0"s, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(ParseDosAttribValue(c.value), c.bits);
    }
}

TEST(FileFacts, SizesTimesAndKinds) {
    pelmora::testing::TempTree folder;
    const std::string file = folder.AddFile("f.txt", "12345");
    const timespec times[2] = {{1000000000, 0}, {1083794889, 500}};
    ASSERT_EQ(utimensat(AT_FDCWD, file.c_str(), times, 0), 0);
    const std::string big = folder.AddFile("big", "");
    ASSERT_EQ(truncate(big.c_str(), 3221225472LL), 0);
    const std::string sub = folder / "sub";
    ASSERT_EQ(mkdir(sub.c_str(), 0755), 0);
    const std::string folderLink = folder / "to-sub";
    ASSERT_EQ(symlink(sub.c_str(), folderLink.c_str()), 0);
    const std::string loop = folder / "loop";
    ASSERT_EQ(symlink(loop.c_str(), loop.c_str()), 0);

    const auto facts = ReadFileFacts(file);
    ASSERT_TRUE(facts.has_value());
    EXPECT_EQ(facts->size, 5u);
    EXPECT_FALSE(facts->isFolder);
    EXPECT_TRUE(facts->lastWrite.present);
    EXPECT_EQ(facts->lastWrite.seconds, 1083794889);
    EXPECT_EQ(facts->lastAccess.seconds, 1000000000);
    if (facts->creation.present) {
        EXPECT_GT(facts->creation.seconds, 1083794889);  // born now, long after its set write time
    }

    EXPECT_EQ(ReadFileFacts(big)->size, 3221225472u);
    EXPECT_TRUE(ReadFileFacts(sub)->isFolder);
    EXPECT_EQ(ReadFileFacts(sub)->size, 0u);
    EXPECT_TRUE(ReadFileFacts(folderLink)->isFolder);
    EXPECT_FALSE(ReadFileFacts(folder / "none").has_value());
    const auto looping = ReadFileFacts(loop);
    ASSERT_TRUE(looping.has_value());
    EXPECT_TRUE(looping->isDanglingLink);
}

TEST(FileFacts, AttributesWithoutAStoredValue) {
    pelmora::testing::TempTree folder;
    const struct {
        std::string name;
        mode_t mode;
        std::uint32_t bits;
    } cases[] = {
        {"plain", 0644, 0},
        {"locked", 0444, kDosReadOnly},
        {"group-writable only", 0464, kDosReadOnly},
        {".hidden", 0600, kDosHidden},
        {".both", 0400, kDosReadOnly | kDosHidden},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = folder.AddFile(c.name, "x");
        ASSERT_EQ(chmod(path.c_str(), c.mode), 0);
        const auto facts = ReadFileFacts(path);
        ASSERT_TRUE(facts.has_value());
        EXPECT_EQ(ReadDosAttributes(path, *facts), c.bits);
    }
}

// Read in the open folder or by path, a file shows the same bits: stored values, links
// followed, a dangling link's own value, and the bits made up without a value.
TEST(FileFacts, AttributesReadInTheFolderAgreeWithThoseByPath) {
    pelmora::testing::TempTree folder;
    const std::string plain = folder.AddFile("plain", "x");
    const std::string locked = folder.AddFile("locked", "x");
    ASSERT_EQ(chmod(locked.c_str(), 0444), 0);
    folder.AddFile(".hidden", "x");
    const std::string stored = folder.AddFile("stored", "x");
    const bool storable = setxattr(stored.c_str(), "user.DOSATTRIB", "0x27", 4, 0) == 0;
    ASSERT_EQ(symlink(stored.c_str(), (folder / "to-stored").c_str()), 0);
    const std::string dangling = folder / "dangling";
    ASSERT_EQ(symlink((folder / "none").c_str(), dangling.c_str()), 0);
    if (storable) lsetxattr(dangling.c_str(), "user.DOSATTRIB", "0x01", 4, 0);  // links may refuse one

    const int handle = open(folder.path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    ASSERT_GE(handle, 0);
    for (const std::string name : {"plain", "locked", ".hidden", "stored", "to-stored", "dangling"}) {
        SCOPED_TRACE(name);
        const auto facts = ReadFileFactsWithAttributesAt(handle, name);
        ASSERT_TRUE(facts.has_value());
        if (!facts->dosAttributes) continue;  // the system cannot read them relative to a folder
        EXPECT_EQ(*facts->dosAttributes, ReadDosAttributes(folder / name, *facts));
        if (storable && (name == "stored" || name == "to-stored")) {
            EXPECT_EQ(*facts->dosAttributes, 0x27u);
        }
    }
    EXPECT_FALSE(ReadFileFactsWithAttributesAt(handle, "none").has_value());
    close(handle);
}

}  // namespace
}  // namespace pelmora::platform
