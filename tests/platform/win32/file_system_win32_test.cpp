// The Win32 file services on a real (Wine or Windows) file system: paths in the Windows form,
// names beyond ASCII, paths past MAX_PATH, the attribute bits, 8.3 names, the write rule and
// the lock.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <set>
#include <thread>

#include "listing/engine/entry_formatter.h"
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

// An 8.3 name as Windows (and Wine, which makes its own hashed ones) generates them: upper
// case, at most eight characters, a dot and three more, a "~" in it.
bool LooksLikeGeneratedShortName(const std::string& name) {
    const std::size_t dot = name.find('.');
    const std::size_t base = dot == std::string::npos ? name.size() : dot;
    const std::size_t extension = dot == std::string::npos ? 0 : name.size() - dot - 1;
    const bool upperCase = std::none_of(name.begin(), name.end(), [](char c) { return c >= 'a' && c <= 'z'; });
    return base >= 1 && base <= 8 && extension <= 3 && name.find('.', base + 1) == std::string::npos &&
           name.find('~') != std::string::npos && upperCase;
}

std::string ShortNameField(const std::string& path, const FileFacts& facts) {
    EntryFieldSwitches switches{"0", "0", "1", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "", ""};
    FormattedEntry entry;
    EntryFormatter(switches).Format(path, facts, entry);
    return entry.line;
}

TEST(Win32ShortNames, LongNamesGetTheirEightDotThreeNameInTheListing) {
    ScratchFolder scratch;
    ASSERT_FALSE(scratch.path().empty());
    const std::string longName = "a long file name.text";
    const std::string longPath = JoinPath(scratch.path(), longName);
    const std::string shortPath = JoinPath(scratch.path(), "short.txt");
    ASSERT_TRUE(ReplaceFileContents(longPath, "long"));
    ASSERT_TRUE(ReplaceFileContents(shortPath, "short"));

    const auto byPath = LocalFileSystem().Facts(longPath);
    ASSERT_TRUE(byPath);
    EXPECT_TRUE(LooksLikeGeneratedShortName(byPath->shortName)) << byPath->shortName;
    EXPECT_EQ(byPath->size, 4u);
    EXPECT_EQ(ShortNameField(longPath, *byPath), byPath->shortName);
    EXPECT_NE(ShortNameField(longPath, *byPath), "A LONG FILE NAME.TEXT");

    // The walk's look-up inside the open folder tells the same name as the one by path.
    std::error_code error;
    auto open = LocalFileSystem().OpenFolderAt(scratch.path(), error);
    ASSERT_TRUE(open) << error.message();
    FolderEntry entry;
    while (open->Next(entry, error)) {
    }
    const auto inFolder = open->EntryFacts(longName, true);
    ASSERT_TRUE(inFolder);
    EXPECT_EQ(inFolder->shortName, byPath->shortName);
    EXPECT_EQ(inFolder->size, 4u);
    EXPECT_EQ(inFolder->lastWrite.seconds, byPath->lastWrite.seconds);
    EXPECT_EQ(inFolder->dosAttributes, byPath->dosAttributes);

    // A name that is a short name already is its own short name in upper case.
    for (const auto& facts : {LocalFileSystem().Facts(shortPath), open->EntryFacts("short.txt", true)}) {
        ASSERT_TRUE(facts);
        EXPECT_EQ(ShortNameField(shortPath, *facts), "SHORT.TXT");
    }
    // A file that appeared after the folder was read is still found.
    ASSERT_TRUE(ReplaceFileContents(JoinPath(scratch.path(), "later.txt"), "new"));
    const auto later = open->EntryFacts("later.txt", true);
    ASSERT_TRUE(later);
    EXPECT_EQ(later->size, 3u);
    // Wildcards name no file, even where some file would match them.
    EXPECT_FALSE(LocalFileSystem().Facts(JoinPath(scratch.path(), "*.txt")));
}

TEST(Win32ShortNames, ShortPathsBecomeLongOnes) {
    ScratchFolder scratch;
    ASSERT_FALSE(scratch.path().empty());
    const std::string folder = JoinPath(scratch.path(), "長い名前のフォルダ");
    ASSERT_TRUE(CreateDirectoryW(WidePath(folder).c_str(), nullptr));
    const std::string file = JoinPath(folder, "another long name.data");
    ASSERT_TRUE(ReplaceFileContents(file, "x"));
    const auto folderFacts = LocalFileSystem().Facts(folder);
    const auto fileFacts = LocalFileSystem().Facts(file);
    ASSERT_TRUE(folderFacts && fileFacts);
    ASSERT_FALSE(folderFacts->shortName.empty());
    ASSERT_FALSE(fileFacts->shortName.empty());

    const std::string scratchLong = LongPathName(scratch.path());
    const std::string typed = JoinPath(JoinPath(scratch.path(), folderFacts->shortName), fileFacts->shortName);
    EXPECT_EQ(LongPathName(typed), JoinPath(JoinPath(scratchLong, "長い名前のフォルダ"), "another long name.data"));
    EXPECT_EQ(LongPathName(JoinPath(scratch.path(), folderFacts->shortName)),
              JoinPath(scratchLong, "長い名前のフォルダ"));

    // Paths without a short name, or leading nowhere, stay as typed (separators too).
    EXPECT_EQ(LongPathName("C:/no/such~1/place"), "C:/no/such~1/place");
    const std::string slashes = scratch.path() + "/長い名前のフォルダ";
    EXPECT_EQ(LongPathName(slashes), slashes);
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
