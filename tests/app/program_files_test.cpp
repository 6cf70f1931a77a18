#include "app/program_files.h"

#include <gtest/gtest.h>
#include <system_error>

#include "app/message_picture.h"
#include "tests/support/temp_tree.h"

namespace pelmora {
namespace {

using testing::ReadFile;
using testing::TempTree;
using testing::WriteFile;

TEST(ProgramFiles, DefaultFilesAreWrittenIntoANewSettingsFolder) {
    // The configuration-folder fallback of an installed copy starts without that folder.
    TempTree folder;
    AppPaths paths;
    paths.programFolder = folder.path();
    paths.settingsFolder = folder / "config/deeper/pelmora";
    EnsureSettingsFolder(paths);
    EnsureSettingsFolder(paths);  // an existing folder is fine
    const std::string patternPath = folder / "config/deeper/pelmora/pattern.txt";
    const std::string picturePath = folder / "config/deeper/pelmora/Message1.jpg";
    WriteDefaultPatternFile(patternPath);
    WriteMessagePicture(picturePath);

    const std::string patterns = ReadFile(patternPath);
    EXPECT_EQ(patterns.substr(0, 12), "*.*\r\n*.avi\r\n");
    EXPECT_EQ(patterns.size(), 3u + 2u + 23u * 7u);  // "*.*" and 23 five-character patterns, CR LF
    const auto items = ReadPatternList(patternPath);
    ASSERT_EQ(items.size(), 24u);
    EXPECT_EQ(items[20], "*.txt");
    EXPECT_EQ(items.back(), "*.zip");

    const std::string picture = ReadFile(picturePath);
    ASSERT_EQ(picture.size(), kMessagePictureSize);
    EXPECT_EQ(picture.substr(0, 2), "\xFF\xD8");  // a JPEG start ...
    EXPECT_EQ(picture.substr(picture.size() - 2), "\xFF\xD9");  // ... and end
}

TEST(ProgramFiles, PatternListTrimsAndSkipsBlankLinesWithAnyLineEnd) {
    struct Case {
        const char* content;
        std::vector<std::string> items;
    };
    const Case cases[] = {
        {"  *.txt  \r\n\r\n   \r\n*.csv", {"*.txt", "*.csv"}},
        {"*.a\n*.b\r*.c\r\n", {"*.a", "*.b", "*.c"}},
        {"*.b\r\n*.a\r\n*.b\r\n", {"*.b", "*.a", "*.b"}},  // never sorted or de-duplicated
        {"", {}},
        {"a b.*\r\n", {"a b.*"}},  // inner spaces stay
    };
    TempTree folder;
    for (const auto& c : cases) {
        WriteFile((folder / "pattern.txt"), c.content);
        EXPECT_EQ(ReadPatternList(folder / "pattern.txt"), c.items) << c.content;
    }
    EXPECT_EQ(ReadPatternList(folder / "missing.txt"), std::vector<std::string>{"*.*"});
}

TEST(ProgramFiles, WriteFailureCarriesTheSystemError) {
    TempTree folder;
    try {
        WriteDefaultPatternFile(folder / "no-such-folder/pattern.txt");
        FAIL() << "expected an error";
    } catch (const std::system_error& error) {
        EXPECT_EQ(error.code().value(), ENOENT);
    }
}

}  // namespace
}  // namespace pelmora
