// The standard library's file functions reach files with names beyond ASCII through
// NativePath and OpenFileStream, on every platform (Windows would read a narrow path in its
// code page).
#include "platform/native_path.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <fstream>
#include <iterator>

#include "platform/file_system.h"
#include "platform/temporary_folder.h"

namespace pelmora::platform {
namespace {

class NativePathTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_FALSE(folder_.empty()); }
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove_all(NativePath(folder_), ignored);
    }
    std::string folder_ = CreatePrivateTemporaryFolder("pelmora-native-path-");
};

TEST_F(NativePathTest, JapaneseNamesReachTheSameFileEveryWay) {
    const std::string name = "日本語の名前.txt";
    const std::string path = JoinPath(folder_, name);

    std::FILE* file = OpenFileStream(path, "wb");
    ASSERT_NE(file, nullptr);
    ASSERT_GE(std::fputs("12345", file), 0);
    ASSERT_EQ(std::fclose(file), 0);

    // The program's own services see the file under the same name...
    EXPECT_TRUE(FileExists(path));
    // ...and so do std::filesystem and the streams.
    std::error_code error;
    EXPECT_EQ(std::filesystem::file_size(NativePath(path), error), 5u);
    EXPECT_FALSE(error) << error.message();
    std::ifstream in(NativePath(path), std::ios::binary);
    ASSERT_TRUE(in);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "12345");

    std::vector<std::string> listed;
    for (const auto& entry : std::filesystem::directory_iterator(NativePath(folder_))) {
        listed.push_back(PathText(entry.path().filename()));
    }
    EXPECT_EQ(listed, std::vector<std::string>{name});
    EXPECT_EQ(PathText(NativePath(path)), path);
}

TEST_F(NativePathTest, OpenFileStreamFailsLikeFopen) {
    errno = 0;
    EXPECT_EQ(OpenFileStream(JoinPath(JoinPath(folder_, "ない"), "x.txt"), "rb"), nullptr);
    EXPECT_EQ(errno, ENOENT);
}

}  // namespace
}  // namespace pelmora::platform
