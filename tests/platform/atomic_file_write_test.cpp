#include "platform/atomic_file_write.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "tests/support/temp_tree.h"

namespace fs = std::filesystem;
using pelmora::platform::WriteFileAtomically;

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
        ASSERT_TRUE(WriteFileAtomically(target.string(), bytes));
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
    const bool ok = WriteFileAtomically(kept.string(), "new") && WriteFileAtomically((dir_ / "new.txt").string(), "x");
    umask(old);
    ASSERT_TRUE(ok);
    struct stat st {};
    ASSERT_EQ(stat(kept.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    ASSERT_EQ(stat((dir_ / "new.txt").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0644u);
}

TEST_F(AtomicFileWriteTest, FailuresReportFalseAndLeaveNothingBehind) {
    EXPECT_FALSE(WriteFileAtomically((dir_ / "missing" / "out.txt").string(), "x"));
    EXPECT_FALSE(WriteFileAtomically("", "x"));
    fs::create_directory(dir_ / "sub");
    EXPECT_FALSE(WriteFileAtomically((dir_ / "sub").string(), "x"));
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
        bool ok = WriteFileAtomically(target.string(), std::string(100000, 'y'));
        _exit(ok ? 1 : 0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "write beyond the limit reported success";
    EXPECT_EQ(Slurp(target), "precious");
    EXPECT_EQ(EntryCount(), 1u);
}

}  // namespace
