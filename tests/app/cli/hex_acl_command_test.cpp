// pelmora-list hex and acl print what HexView and ACLView show, byte for byte.

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/security.h"
#include "tools/aclview/acl_text.h"
#include "tools/hexview/hex_dump_text.h"

namespace {

class HexAclCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (std::filesystem::temp_directory_path() / "pelmora-cli-hex-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        folder_ = pattern;
        ini_ = (folder_ / "Pelmora.ini").string();
        std::ofstream(ini_, std::ios::binary) << "[HexView]\r\nHex_ReadByte=2048\r\n";
    }
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
    // Standard output and exit status of pelmora-list with the test's settings.
    std::string Run(const std::vector<std::string>& args, int& status) {
        std::string command = std::string("'") + PELMORA_LIST_PROGRAM + "' --ini '" + ini_ + "'";
        for (const auto& arg : args) command += " '" + arg + "'";
        const std::string out = (folder_ / "out").string();
        command += " </dev/null >'" + out + "' 2>/dev/null";
        const int raw = std::system(command.c_str());
        status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        std::ifstream in(out, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    std::filesystem::path folder_;
    std::string ini_;
};

TEST_F(HexAclCommandTest, HexPrintsTheDumpWithTheSettingsCountOrTheGivenOne) {
    const std::string file = (folder_ / "data.bin").string();
    std::string bytes;
    for (int i = 0; i < 5000; ++i) bytes += static_cast<char>(i * 7);
    std::ofstream(file, std::ios::binary) << bytes;

    int status = -1;
    EXPECT_EQ(Run({"hex", file}, status), pelmora::HexDumpText(file, 2048));
    EXPECT_EQ(status, 0);
    EXPECT_EQ(Run({"hex", file, "20"}, status), pelmora::HexDumpText(file, 20));
    EXPECT_EQ(status, 0);

    EXPECT_EQ(Run({"hex", (folder_ / "missing").string()}, status), "読み取りに失敗しました");
    EXPECT_EQ(status, 1);
    EXPECT_EQ(Run({"hex", file, "many"}, status), "");
    EXPECT_EQ(status, 2);
}

TEST_F(HexAclCommandTest, AclPrintsTheWindowLinesEndedByCrLf) {
    std::string expected;
    for (const auto& line : pelmora::AclLines(ini_, pelmora::platform::SystemSecurityService())) expected += line + "\r\n";
    int status = -1;
    EXPECT_EQ(Run({"acl", ini_}, status), expected);
    EXPECT_EQ(status, 0);

    EXPECT_EQ(Run({"acl", "//server/share/x"}, status), "ドライブがNTFSではありません\r\n");
    EXPECT_EQ(status, 1);
}

}  // namespace
