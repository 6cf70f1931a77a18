// The Win32 file services on a real (Wine or Windows) file system: paths in the Windows form,
// names beyond ASCII, paths past MAX_PATH, the attribute bits, the write rule and the lock.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>
#include <set>
#include <thread>

#include "platform/atomic_file_write.h"
#include "platform/file_lock.h"
#include "platform/file_system.h"
#include "platform/file_system_service.h"
#include "platform/temporary_folder.h"
#include "platform/win32/wide_path_win32.h"
#include "tests/support/polling.h"

namespace pelmora::platform {
namespace {

using win32::WidePath;

TEST(Win32Paths, DriveAndShareRoots) {
    EXPECT_TRUE(IsRootFolder("C:\\"));
    EXPECT_TRUE(IsRootFolder("c:/"));
    EXPECT_TRUE(IsRootFolder("\\\\server\\share\\"));
    EXPECT_FALSE(IsRootFolder("C:\\Windows"));
    EXPECT_FALSE(IsRootFolder("name"));
    EXPECT_TRUE(IsRootFolder(RootFolder()));

    EXPECT_TRUE(IsAbsolutePath("C:\\a"));
    EXPECT_TRUE(IsAbsolutePath("\\\\server\\share"));
    EXPECT_FALSE(IsAbsolutePath("C:a"));  // relative to the drive's current folder
    EXPECT_FALSE(IsAbsolutePath("a\\b"));

    EXPECT_EQ(WithoutTrailingSeparators("C:\\"), "C:\\");
    EXPECT_EQ(WithoutTrailingSeparators("C:\\a\\\\"), "C:\\a");
    EXPECT_EQ(WithoutTrailingSeparators("\\\\server\\share\\"), "\\\\server\\share\\");

    EXPECT_EQ(JoinPath("C:\\", "a"), "C:\\a");
    EXPECT_EQ(JoinPath("C:\\a", "b"), "C:\\a\\b");
    std::string path = "C:\\a/";
    AppendToPath(path, "b");
    EXPECT_EQ(path, "C:\\a/b");
    EXPECT_EQ(LastSeparator("C:\\a/b"), 4u);
}

TEST(Win32Paths, NetworkPathsAndFolderMembership) {
    EXPECT_TRUE(IsNetworkPath("\\\\server\\share"));
    EXPECT_TRUE(IsNetworkPath("//server/share"));
    EXPECT_FALSE(IsNetworkPath("\\\\?\\C:\\long"));  // a local path in the extended form
    EXPECT_FALSE(IsNetworkPath("C:\\"));

    // Windows names compare without case; a separator must follow the folder.
    EXPECT_TRUE(IsInFolder("C:\\Data\\x.txt", "c:\\data"));
    EXPECT_TRUE(IsInFolder("C:\\Data", "C:\\Data\\"));
    EXPECT_TRUE(IsInFolder("C:\\Data\\x", "C:\\"));
    EXPECT_FALSE(IsInFolder("C:\\Database", "C:\\Data"));
}

// A scratch folder for one test, removed with everything in it.
class ScratchFolder {
public:
    ScratchFolder() : path_(CreatePrivateTemporaryFolder("pelmora-win32-test-")) {}
    ~ScratchFolder() {
        if (path_.empty()) return;
        // SHFileOperation cannot take long paths: removed by hand, deepest first.
        Remove(path_);
    }
    const std::string& path() const { return path_; }

private:
    static void Remove(const std::string& folder) {
        WIN32_FIND_DATAW found{};
        const HANDLE search = FindFirstFileW(WidePath(JoinPath(folder, "*")).c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                const std::string name = win32::Utf8FromWide(found.cFileName);
                if (name == "." || name == "..") continue;
                const std::string child = JoinPath(folder, name);
                SetFileAttributesW(WidePath(child).c_str(), FILE_ATTRIBUTE_NORMAL);
                if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                    Remove(child);
                } else {
                    DeleteFileW(WidePath(child).c_str());
                }
            } while (FindNextFileW(search, &found));
            FindClose(search);
        }
        RemoveDirectoryW(WidePath(folder).c_str());
    }
    std::string path_;
};

std::string ReadWhole(const std::string& path) {
    std::error_code error;
    auto file = LocalFileSystem().OpenFileForReading(path, error);
    if (!file) return "<" + error.message() + ">";
    std::string bytes(static_cast<std::size_t>(file->Size()), '\0');
    std::size_t got = 0;
    if (!file->Read(bytes.data(), bytes.size(), got)) return "<read failed>";
    bytes.resize(got);
    return bytes;
}

TEST(Win32FileSystem, ListsJapaneseNamesWithKindsAndAttributes) {
    ScratchFolder scratch;
    ASSERT_FALSE(scratch.path().empty());
    const std::string folder = JoinPath(scratch.path(), "フォルダ");
    ASSERT_TRUE(CreateDirectoryW(WidePath(folder).c_str(), nullptr));
    ASSERT_TRUE(ReplaceFileContents(JoinPath(scratch.path(), "日本語.txt"), "12345"));
    const std::string hidden = JoinPath(scratch.path(), "隠し.dat");
    ASSERT_TRUE(ReplaceFileContents(hidden, ""));
    ASSERT_TRUE(SetFileAttributesW(WidePath(hidden).c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY));

    std::error_code error;
    auto open = LocalFileSystem().OpenFolderAt(scratch.path(), error);
    ASSERT_TRUE(open) << error.message();
    std::set<std::pair<std::string, EntryKind>> seen;
    FolderEntry entry;
    while (open->Next(entry, error)) seen.emplace(std::string(entry.name), entry.kind);
    EXPECT_FALSE(error) << error.message();
    const std::set<std::pair<std::string, EntryKind>> expected = {
        {"フォルダ", EntryKind::Folder}, {"日本語.txt", EntryKind::File}, {"隠し.dat", EntryKind::File}};
    EXPECT_EQ(seen, expected);

    const auto text = open->EntryFacts("日本語.txt", true);
    ASSERT_TRUE(text);
    EXPECT_EQ(text->size, 5u);
    EXPECT_FALSE(text->isFolder);
    EXPECT_TRUE(text->lastWrite.present);
    EXPECT_GT(text->lastWrite.seconds, 1600000000);  // after 2020: the epoch moved from 1601 to 1970

    const auto hiddenFacts = LocalFileSystem().Facts(hidden);
    ASSERT_TRUE(hiddenFacts);
    EXPECT_FALSE(hiddenFacts->ownerCanWrite);
    EXPECT_EQ(LocalFileSystem().DosAttributes(hidden, *hiddenFacts) & (kDosHidden | kDosReadOnly),
              kDosHidden | kDosReadOnly);
    const auto folderFacts = LocalFileSystem().Facts(folder);
    ASSERT_TRUE(folderFacts);
    EXPECT_TRUE(folderFacts->isFolder);
    EXPECT_EQ(folderFacts->size, 0u);
    EXPECT_TRUE(FolderExists(folder));
    EXPECT_FALSE(FileExists(folder));
    EXPECT_TRUE(FileExists(hidden));
}

TEST(Win32FileSystem, WorksPastMaxPath) {
    ScratchFolder scratch;
    ASSERT_FALSE(scratch.path().empty());
    std::string deep = scratch.path();
    for (int level = 0; deep.size() < 400; ++level) {
        deep = JoinPath(deep, std::string(40, static_cast<char>('a' + level)));
        ASSERT_TRUE(CreateDirectoryW(WidePath(deep).c_str(), nullptr)) << deep.size();
    }
    const std::string file = JoinPath(deep, "深い.txt");
    ASSERT_GT(file.size(), static_cast<std::size_t>(MAX_PATH));
    ASSERT_TRUE(ReplaceFileContents(file, "deep"));
    EXPECT_EQ(ReadWhole(file), "deep");
    EXPECT_TRUE(FileExists(file));
    std::error_code error;
    auto open = LocalFileSystem().OpenFolderAt(deep, error);
    ASSERT_TRUE(open) << error.message();
    FolderEntry entry;
    ASSERT_TRUE(open->Next(entry, error));
    EXPECT_EQ(entry.name, "深い.txt");
}

TEST(Win32FileSystem, FolderIdentityIsStableAcrossSpellings) {
    ScratchFolder scratch;
    ASSERT_FALSE(scratch.path().empty());
    std::error_code error;
    auto once = LocalFileSystem().OpenFolderAt(scratch.path(), error);
    auto again = LocalFileSystem().OpenFolderAt(scratch.path() + "\\", error);
    ASSERT_TRUE(once && again);
    FolderIdentity a, b;
    ASSERT_TRUE(once->Identity(a, error));
    ASSERT_TRUE(again->Identity(b, error));
    EXPECT_EQ(a, b);
    EXPECT_FALSE(LocalFileSystem().OpenFolderAt(JoinPath(scratch.path(), "missing"), error));
    EXPECT_TRUE(error);
}

TEST(Win32AtomicWrite, ReplacesKeepsAttributesAndRefusesReadOnly) {
    ScratchFolder scratch;
    ASSERT_FALSE(scratch.path().empty());
    const std::string path = JoinPath(scratch.path(), "settings.ini");
    ASSERT_TRUE(ReplaceFileContents(path, "first"));
    ASSERT_TRUE(SetFileAttributesW(WidePath(path).c_str(), FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(ReplaceFileContents(path, "second, longer"));
    EXPECT_EQ(ReadWhole(path), "second, longer");
    EXPECT_TRUE(GetFileAttributesW(WidePath(path).c_str()) & FILE_ATTRIBUTE_HIDDEN);

    // No temporary file stays behind, and a leftover of a killed writer is cleared.
    const std::string leftover = JoinPath(scratch.path(), "settings.ini.pelmora-1-1.tmp");
    ASSERT_TRUE(ReplaceFileContents(leftover, "junk"));
    RemoveLeftoverTemporaryFiles(path);
    EXPECT_FALSE(PathExists(leftover));

    ASSERT_TRUE(SetFileAttributesW(WidePath(path).c_str(), FILE_ATTRIBUTE_READONLY));
    errno = 0;
    EXPECT_FALSE(ReplaceFileContents(path, "third"));
    EXPECT_EQ(errno, EACCES);
    EXPECT_EQ(ReadWhole(path), "second, longer");
}

TEST(Win32FileLock, ExcludesAnotherThreadUntilReleased) {
    ScratchFolder scratch;
    ASSERT_FALSE(scratch.path().empty());
    const std::string path = JoinPath(scratch.path(), "Pelmora.ini");
    std::atomic<bool> otherHolds{false};
    std::atomic<bool> release{false};
    std::thread other;
    {
        FileLock lock(path);
        ASSERT_TRUE(lock.Locked());
        other = std::thread([&] {
            FileLock second(JoinPath(scratch.path(), "other.ini"));  // the same folder: the same lock
            otherHolds = second.Locked();
            while (!release) std::this_thread::yield();
        });
        // The other thread must still be waiting while this one holds the lock.
        EXPECT_FALSE(pelmora::testing::WaitUntil([&] { return otherHolds.load(); }, std::chrono::milliseconds(200)));
    }
    EXPECT_TRUE(pelmora::testing::WaitUntil([&] { return otherHolds.load(); }));
    release = true;
    other.join();
}

}  // namespace
}  // namespace pelmora::platform
