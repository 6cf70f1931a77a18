#include "platform/file_system_service.h"
#include "platform/smb_file_system.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <memory>
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

FileSystem& Local() { return LocalFileSystem(); }

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

    const auto facts = Local().Facts(file);
    ASSERT_TRUE(facts.has_value());
    EXPECT_EQ(facts->size, 5u);
    EXPECT_FALSE(facts->isFolder);
    EXPECT_TRUE(facts->lastWrite.present);
    EXPECT_EQ(facts->lastWrite.seconds, 1083794889);
    EXPECT_EQ(facts->lastAccess.seconds, 1000000000);
    if (facts->creation.present) {
        EXPECT_GT(facts->creation.seconds, 1083794889);  // born now, long after its set write time
    }

    EXPECT_EQ(Local().Facts(big)->size, 3221225472u);
    EXPECT_TRUE(Local().Facts(sub)->isFolder);
    EXPECT_EQ(Local().Facts(sub)->size, 0u);
    EXPECT_TRUE(Local().Facts(folderLink)->isFolder);
    EXPECT_FALSE(Local().Facts(folder / "none").has_value());
    const auto looping = Local().Facts(loop);
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
        const auto facts = Local().Facts(path);
        ASSERT_TRUE(facts.has_value());
        EXPECT_EQ(Local().DosAttributes(path, *facts), c.bits);
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

    std::error_code error;
    const std::unique_ptr<OpenFolder> opened = Local().OpenFolderAt(folder.path(), error);
    ASSERT_TRUE(opened) << error.message();
    for (const std::string name : {"plain", "locked", ".hidden", "stored", "to-stored", "dangling"}) {
        SCOPED_TRACE(name);
        const auto facts = opened->EntryFacts(name, true);
        ASSERT_TRUE(facts.has_value());
        if (!facts->dosAttributes) continue;  // the system cannot read them relative to a folder
        EXPECT_EQ(*facts->dosAttributes, Local().DosAttributes(folder / name, *facts));
        if (storable && (name == "stored" || name == "to-stored")) {
            EXPECT_EQ(*facts->dosAttributes, 0x27u);
        }
    }
    EXPECT_FALSE(opened->EntryFacts("none", true).has_value());
    EXPECT_FALSE(opened->EntryFacts("none", false).has_value());
    EXPECT_EQ(opened->EntryFacts("plain", false)->dosAttributes, std::nullopt);
}

// A file system that keeps no user attributes (proc here) is not asked for each of its files
// once it has refused: its bits still come from the permissions and the name, in the folder
// that learnt it and in others on it, while a disk that keeps them is still asked.
TEST(FileFacts, AttributesWhereTheFileSystemKeepsNone) {
    std::error_code error;
    for (const char* path : {"/proc/self", "/proc/self", "/proc/self/task"}) {
        SCOPED_TRACE(path);
        const std::unique_ptr<OpenFolder> opened = Local().OpenFolderAt(path, error);
        if (!opened) GTEST_SKIP() << "no proc here";
        FolderEntry entry;
        int files = 0;
        while (opened->Next(entry, error) && files < 20) {
            const std::string name(entry.name);
            const auto facts = opened->EntryFacts(name, true);
            if (!facts || !facts->dosAttributes) continue;  // gone, or not readable in a folder here
            ++files;
            const std::uint32_t expected = (facts->ownerCanWrite ? 0u : kDosReadOnly) | (name[0] == '.' ? kDosHidden : 0u);
            EXPECT_EQ(*facts->dosAttributes, expected) << name;
        }
        EXPECT_GT(files, 0);
    }
    pelmora::testing::TempTree folder;
    const std::string stored = folder.AddFile("stored", "x");
    if (setxattr(stored.c_str(), "user.DOSATTRIB", "0x22", 4, 0) != 0) GTEST_SKIP() << "no user attributes here";
    const std::unique_ptr<OpenFolder> opened = Local().OpenFolderAt(folder.path(), error);
    ASSERT_TRUE(opened) << error.message();
    const auto facts = opened->EntryFacts("stored", true);
    ASSERT_TRUE(facts.has_value());
    if (facts->dosAttributes) {
        EXPECT_EQ(*facts->dosAttributes, 0x22u);
    }
}

// Entries with the kinds the folder records, links resolved on request, and folders opened
// inside the open one.
TEST(OpenFolder, ReadsEntriesAndOpensInside) {
    pelmora::testing::TempTree folder;
    folder.AddFile("file", "x");
    folder.AddFile("sub/inner", "x");
    ASSERT_EQ(symlink((folder / "sub").c_str(), (folder / "to-sub").c_str()), 0);
    ASSERT_EQ(symlink((folder / "none").c_str(), (folder / "dangling").c_str()), 0);

    std::error_code error;
    const std::unique_ptr<OpenFolder> opened = Local().OpenFolderAt(folder.path(), error);
    ASSERT_TRUE(opened) << error.message();
    std::map<std::string, EntryKind> kinds;
    FolderEntry entry;
    while (opened->Next(entry, error)) kinds[std::string(entry.name)] = entry.kind;
    EXPECT_FALSE(error);
    EXPECT_EQ(kinds.size(), 4u);  // neither "." nor ".."
    EXPECT_EQ(kinds["sub"], EntryKind::Folder);
    EXPECT_NE(kinds["file"], EntryKind::Folder);
    EXPECT_EQ(opened->ResolveKind("to-sub"), EntryKind::Folder);
    EXPECT_EQ(opened->ResolveKind("dangling"), EntryKind::File);
    EXPECT_TRUE(opened->IsLink("to-sub"));
    EXPECT_FALSE(opened->IsLink("sub"));

    // The same folder reached through a link has the same identity.
    const std::unique_ptr<OpenFolder> sub = opened->OpenInside("sub", error);
    const std::unique_ptr<OpenFolder> viaLink = opened->OpenInside("to-sub", error);
    ASSERT_TRUE(sub && viaLink);
    FolderIdentity a, b, top;
    ASSERT_TRUE(sub->Identity(a, error) && viaLink->Identity(b, error) && opened->Identity(top, error));
    EXPECT_EQ(a, b);
    EXPECT_FALSE(a == top);
    ASSERT_TRUE(sub->Next(entry, error));
    EXPECT_EQ(entry.name, "inner");

    EXPECT_FALSE(opened->OpenInside("file", error));
    EXPECT_TRUE(error);
    EXPECT_FALSE(Local().OpenFolderAt(folder / "none", error));
    EXPECT_FALSE(Local().OpenFolderAt("", error));
}

TEST(ReadableFile, ReadsAndSeeksRegularFilesOnly) {
    pelmora::testing::TempTree folder;
    const std::string path = folder.AddFile("data", "0123456789");
    std::error_code error;
    const std::unique_ptr<ReadableFile> file = Local().OpenFileForReading(path, error);
    ASSERT_TRUE(file) << error.message();
    EXPECT_EQ(file->Size(), 10u);
    char buffer[16] = {};
    std::size_t got = 0;
    ASSERT_TRUE(file->SeekTo(6));
    ASSERT_TRUE(file->Read(buffer, sizeof buffer, got));
    EXPECT_EQ(std::string(buffer, got), "6789");
    ASSERT_TRUE(file->Read(buffer, sizeof buffer, got));
    EXPECT_EQ(got, 0u);

    const std::string fifo = folder / "fifo";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_FALSE(Local().OpenFileForReading(fifo, error));  // would wait for a writer
    EXPECT_FALSE(Local().OpenFileForReading(folder.path(), error));
    EXPECT_FALSE(Local().OpenFileForReading(folder / "none", error));
}

TEST(VolumeLabel, NamesTheMountPointHoldingThePath) {
    EXPECT_EQ(Local().IdentifyVolume("/").label, "/");
    const VolumeIdentity temporary = Local().IdentifyVolume(std::filesystem::temp_directory_path().string());
    ASSERT_FALSE(temporary.label.empty());
    EXPECT_EQ(temporary.label.front(), '/');
    EXPECT_EQ(Local().IdentifyVolume("/no/such/path/anywhere").label, "");
}


// Until another implementation serves network shares, the local one serves every path.
TEST(FileSystemFor, NetworkPathsGoToTheSmbClientTheRestStaysLocal) {
    EXPECT_EQ(&FileSystemFor("/"), &LocalFileSystem());
    EXPECT_EQ(&FileSystemFor("/server/share/x"), &LocalFileSystem());
    EXPECT_EQ(&FileSystemFor("relative/x"), &LocalFileSystem());
    EXPECT_EQ(&FileSystemFor("//server/share/x"), &SmbFileSystem());
}

}  // namespace
}  // namespace pelmora::platform
