#include "platform/atomic_file_write.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/time.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "tests/support/temp_tree.h"

namespace fs = std::filesystem;
using pelmora::platform::ChooseWriteMethod;
using pelmora::platform::RemoveLeftoverTemporaryFiles;
using pelmora::platform::ReplaceFileContents;
using pelmora::platform::WriteMethod;
using pelmora::platform::WriteTargetFacts;

namespace {

class AtomicFileWriteTest : public ::testing::Test {
protected:
    static std::string Slurp(const fs::path& p) { return pelmora::testing::ReadFile(p.string()); }
    static void Put(const fs::path& p, const std::string& bytes) { std::ofstream(p, std::ios::binary) << bytes; }
    // Nothing but the named files may remain: a stray temporary file is a fault.
    size_t EntryCount() const { return static_cast<size_t>(std::distance(fs::directory_iterator(dir_), {})); }

    pelmora::testing::TempTree tree_;
    const fs::path dir_ = tree_.path();
};

TEST_F(AtomicFileWriteTest, CreatesAndReplacesWithExactBytes) {
    const fs::path target = dir_ / std::string(250, 'n');  // no room for a suffix in the name
    for (const std::string& bytes : {std::string("first\r\n"), std::string("a\0b\r\n\xff", 6), std::string(),
                                     std::string(200000, 'x')}) {
        ASSERT_TRUE(ReplaceFileContents(target.string(), bytes));
        EXPECT_EQ(Slurp(target), bytes);
        EXPECT_EQ(EntryCount(), 1u);
    }
}

TEST_F(AtomicFileWriteTest, PermissionBits) {
    // A replaced file keeps its bits; a new one gets the umask's, not the temporary file's.
    const fs::path kept = dir_ / "mode.txt";
    Put(kept, "old");
    ASSERT_EQ(chmod(kept.c_str(), 0640), 0);
    const mode_t old = umask(022);
    const bool ok = ReplaceFileContents(kept.string(), "new") && ReplaceFileContents((dir_ / "new.txt").string(), "x");
    umask(old);
    ASSERT_TRUE(ok);
    struct stat st {};
    ASSERT_EQ(stat(kept.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    ASSERT_EQ(stat((dir_ / "new.txt").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0644u);
}

TEST_F(AtomicFileWriteTest, FailuresReportFalseAndLeaveNothingBehind) {
    EXPECT_FALSE(ReplaceFileContents((dir_ / "missing" / "out.txt").string(), "x"));
    EXPECT_FALSE(ReplaceFileContents("", "x"));
    fs::create_directory(dir_ / "sub");
    EXPECT_FALSE(ReplaceFileContents((dir_ / "sub").string(), "x"));
    EXPECT_TRUE(fs::is_directory(dir_ / "sub"));
    EXPECT_EQ(EntryCount(), 1u);
}

TEST_F(AtomicFileWriteTest, FailedWriteKeepsOldContents) {
    // A file-size limit makes the write fail midway, as a full disk would.
    const fs::path target = dir_ / "keep.txt";
    Put(target, "precious");
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        signal(SIGXFSZ, SIG_IGN);
        rlimit limit{4096, 4096};
        setrlimit(RLIMIT_FSIZE, &limit);
        bool ok = ReplaceFileContents(target.string(), std::string(100000, 'y'));
        _exit(ok ? 1 : 0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "write beyond the limit reported success";
    EXPECT_EQ(Slurp(target), "precious");
    EXPECT_EQ(EntryCount(), 1u);
}

// The file the name leads to gets the bytes: a symbolic link (also a chain, a relative one,
// one to a file not there yet) stays a link, and a hard-linked file keeps its other names.
TEST_F(AtomicFileWriteTest, LinksKeepLeadingToTheWrittenFile) {
    fs::create_directory(dir_ / "real");
    Put(dir_ / "real" / "target.txt", "old text");
    ASSERT_EQ(symlink("real/target.txt", (dir_ / "step").c_str()), 0);
    ASSERT_EQ(symlink((dir_ / "step").c_str(), (dir_ / "chosen.txt").c_str()), 0);
    ASSERT_TRUE(ReplaceFileContents((dir_ / "chosen.txt").string(), "new text"));
    EXPECT_TRUE(fs::is_symlink(dir_ / "chosen.txt"));
    EXPECT_TRUE(fs::is_symlink(dir_ / "step"));
    EXPECT_EQ(Slurp(dir_ / "real" / "target.txt"), "new text");

    ASSERT_EQ(symlink("real/later.txt", (dir_ / "dangling").c_str()), 0);
    ASSERT_TRUE(ReplaceFileContents((dir_ / "dangling").string(), "made"));
    EXPECT_TRUE(fs::is_symlink(dir_ / "dangling"));
    EXPECT_EQ(Slurp(dir_ / "real" / "later.txt"), "made");

    const fs::path first = dir_ / "real" / "first.txt";
    Put(first, "shared old contents");
    fs::create_hard_link(first, dir_ / "second.txt");
    ASSERT_TRUE(ReplaceFileContents(first.string(), "shared new"));
    EXPECT_EQ(Slurp(dir_ / "second.txt"), "shared new");
    EXPECT_EQ(fs::hard_link_count(first), 2u);
    EXPECT_EQ(EntryCount(), 5u) << "a temporary file was left behind";
}

// Permissions bind only other users than the super-user: as root these are skipped (the
// rule itself is checked with given facts below).
TEST_F(AtomicFileWriteTest, ReadOnlyFileIsRefusedWritableFileInLockedFolderIsWritten) {
    if (geteuid() == 0) GTEST_SKIP() << "permissions do not bind the super-user";
    const fs::path locked = dir_ / "locked.txt";
    Put(locked, "keep me");
    ASSERT_EQ(chmod(locked.c_str(), 0444), 0);
    errno = 0;
    EXPECT_FALSE(ReplaceFileContents(locked.string(), "overwritten"));
    EXPECT_EQ(errno, EACCES);
    EXPECT_EQ(Slurp(locked), "keep me");

    fs::create_directory(dir_ / "closed");
    const fs::path inside = dir_ / "closed" / "open.txt";
    Put(inside, "a longer old text");
    ASSERT_EQ(chmod((dir_ / "closed").c_str(), 0555), 0);
    const bool written = ReplaceFileContents(inside.string(), "short");
    chmod((dir_ / "closed").c_str(), 0755);
    EXPECT_TRUE(written);
    EXPECT_EQ(Slurp(inside), "short");
}

// A file without any write permission bit is read-only for everybody, the super-user
// included: it is neither replaced nor overwritten, whichever way a write would go. A file
// that some permission bit lets be written stays writable for those it lets.
TEST_F(AtomicFileWriteTest, AFileWithoutWriteBitsIsWrittenByNobody) {
    for (const mode_t mode : {0444, 0400, 0000, 0555}) {
        const fs::path file = dir_ / "Pelmora.ini";
        Put(file, "keep me");
        ASSERT_EQ(chmod(file.c_str(), mode), 0);
        struct stat before {};
        ASSERT_EQ(stat(file.c_str(), &before), 0);
        errno = 0;
        EXPECT_FALSE(ReplaceFileContents(file.string(), "overwritten")) << std::oct << mode;
        EXPECT_EQ(errno, EACCES);
        chmod(file.c_str(), 0644);
        struct stat after {};
        ASSERT_EQ(stat(file.c_str(), &after), 0);
        EXPECT_EQ(after.st_ino, before.st_ino) << "replaced by another file";
        EXPECT_EQ(Slurp(file), "keep me");
        fs::remove(file);
    }
    EXPECT_EQ(EntryCount(), 0u) << "a temporary file was left behind";

    // A link leads to the read-only file: the file's bits decide.
    const fs::path target = dir_ / "target.txt";
    Put(target, "keep me");
    ASSERT_EQ(chmod(target.c_str(), 0444), 0);
    fs::create_symlink(target, dir_ / "link.txt");
    EXPECT_FALSE(ReplaceFileContents((dir_ / "link.txt").string(), "overwritten"));
    EXPECT_EQ(Slurp(target), "keep me");

    if (geteuid() != 0) return;
    // Write permission for the group alone: the super-user may write it.
    const fs::path shared = dir_ / "shared.txt";
    Put(shared, "old");
    ASSERT_EQ(chmod(shared.c_str(), 0464), 0);
    EXPECT_TRUE(ReplaceFileContents(shared.string(), "new"));
    EXPECT_EQ(Slurp(shared), "new");
}

// The rule on given facts, so that it is checked as the super-user too: a file the user may
// not write is refused whatever else holds; a file that a rename would change is written
// in place.
TEST(ChooseWriteMethod, RefusesReadOnlyAndKeepsWhatARenameWouldChange) {
    const auto with = [](auto change) {
        WriteTargetFacts facts;
        facts.exists = true;
        change(facts);
        return ChooseWriteMethod(facts);
    };
    EXPECT_EQ(ChooseWriteMethod(WriteTargetFacts{}), WriteMethod::ReplaceByRename);  // a new file
    EXPECT_EQ(with([](WriteTargetFacts&) {}), WriteMethod::ReplaceByRename);
    EXPECT_EQ(with([](WriteTargetFacts& f) { f.userMayWrite = false; }), WriteMethod::Refuse);
    EXPECT_EQ(with([](WriteTargetFacts& f) {
                  f.userMayWrite = false;
                  f.folderTakesNewFile = false;
                  f.linkCount = 3;
              }),
              WriteMethod::Refuse);
    EXPECT_EQ(with([](WriteTargetFacts& f) { f.linkCount = 2; }), WriteMethod::OverwriteInPlace);
    EXPECT_EQ(with([](WriteTargetFacts& f) { f.folderTakesNewFile = false; }), WriteMethod::OverwriteInPlace);
    EXPECT_EQ(with([](WriteTargetFacts& f) { f.ownerKept = false; }), WriteMethod::OverwriteInPlace);
    EXPECT_EQ(with([](WriteTargetFacts& f) { f.regularFile = false; }), WriteMethod::OverwriteInPlace);
}

// Only temporary files of this target's exact naming are removed, and only those no writer
// holds whose writer is gone or which are old; look-alikes and links stay.
TEST_F(AtomicFileWriteTest, LeftoverTemporaryFilesOfDeadWritersAreRemoved) {
    const pid_t gone = fork();
    ASSERT_GE(gone, 0);
    if (gone == 0) _exit(0);
    ASSERT_EQ(waitpid(gone, nullptr, 0), gone);
    const std::string dead = std::to_string(gone), alive = std::to_string(getpid());
    const std::string stem = ".Pelmora.ini.tmp";
    Put(dir_ / "Pelmora.ini", "settings");
    for (const std::string& name :
         {stem + dead + "_0_123", stem + dead + "_1_9", stem + alive + "_0_1", stem + alive + "_5_5", stem + dead + "_2",
          stem + dead + "_x_1", stem + dead + "_1_1.bak", "Pelmora.ini.tmp" + dead + "_1_1", ".Other.ini.tmp" + dead + "_1_1"}) {
        Put(dir_ / name, "partial");
    }
    ASSERT_EQ(symlink("Pelmora.ini", (dir_ / (stem + dead + "_7_7")).c_str()), 0);
    // A live writer's file, some time old.
    const timeval old[2] = {{time(nullptr) - 60, 0}, {time(nullptr) - 60, 0}};
    ASSERT_EQ(utimes((dir_ / (stem + alive + "_5_5")).c_str(), old), 0);
    // A file a writer holds.
    const int held = open((dir_ / (stem + dead + "_1_9")).c_str(), O_RDONLY);
    ASSERT_GE(held, 0);
    ASSERT_EQ(flock(held, LOCK_EX), 0);

    RemoveLeftoverTemporaryFiles((dir_ / "Pelmora.ini").string());
    close(held);
    EXPECT_FALSE(fs::exists(dir_ / (stem + dead + "_0_123")));
    EXPECT_FALSE(fs::exists(dir_ / (stem + alive + "_5_5")));
    for (const std::string& name : {stem + dead + "_1_9", stem + alive + "_0_1", stem + dead + "_2", stem + dead + "_x_1",
                                    stem + dead + "_1_1.bak", "Pelmora.ini.tmp" + dead + "_1_1",
                                    ".Other.ini.tmp" + dead + "_1_1", stem + dead + "_7_7", std::string("Pelmora.ini")}) {
        EXPECT_TRUE(fs::exists(fs::symlink_status(dir_ / name))) << name;
    }
}

// Extended attributes (Samba keeps the DOS attributes there) survive a replace.
TEST_F(AtomicFileWriteTest, ExtendedAttributesAreKept) {
    const fs::path file = dir_ / "marked.txt";
    Put(file, "old");
    if (setxattr(file.c_str(), "user.DOSATTRIB", "0x21", 4, 0) != 0) GTEST_SKIP() << "no user attributes here";
    ASSERT_TRUE(ReplaceFileContents(file.string(), "new"));
    char value[16] = {};
    EXPECT_EQ(getxattr(file.c_str(), "user.DOSATTRIB", value, sizeof value), 4);
    EXPECT_STREQ(value, "0x21");
    EXPECT_EQ(Slurp(file), "new");
}

}  // namespace
