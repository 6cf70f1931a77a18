#include "app/program_files.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <system_error>

#include "app/message_picture.h"
#include "tests/app/temp_folder.h"

using pelmora::testing::TempFolder;

namespace pelmora {
namespace {

std::string ReadAll(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

void WriteAll(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

TEST(ProgramFiles, DefaultPatternFileHas24PatternsWithCrLf) {
    const std::string text = DefaultPatternFileText();
    EXPECT_EQ(text.substr(0, 12), "*.*\r\n*.avi\r\n");
    EXPECT_EQ(text.substr(text.size() - 7), "*.zip\r\n");
    EXPECT_EQ(text.size(), 3u + 2u + 23u * 7u);  // "*.*" and 23 five-character patterns

    TempFolder folder;
    WriteDefaultPatternFile(folder.Sub("pattern.txt"));
    const auto items = ReadPatternList(folder.Sub("pattern.txt"));
    ASSERT_EQ(items.size(), 24u);
    EXPECT_EQ(items.front(), "*.*");
    EXPECT_EQ(items[20], "*.txt");
    EXPECT_EQ(items.back(), "*.zip");
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
    TempFolder folder;
    for (const auto& c : cases) {
        WriteAll(folder.Sub("pattern.txt"), c.content);
        EXPECT_EQ(ReadPatternList(folder.Sub("pattern.txt")), c.items) << c.content;
    }
    EXPECT_EQ(ReadPatternList(folder.Sub("missing.txt")), std::vector<std::string>{"*.*"});
}

TEST(ProgramFiles, MissingFilesAreCreatedAndExistingOnesKept) {
    TempFolder folder;
    const AppPaths paths = ResolveAppPathsFor(folder.Path(), folder.Sub("config"));
    CreateMissingProgramFiles(paths);
    EXPECT_EQ(ReadAll(paths.patternPath), DefaultPatternFileText());
    const std::string picture = ReadAll(paths.messagePicturePath);
    ASSERT_EQ(picture.size(), kMessagePictureSize);
    EXPECT_EQ(picture, std::string(MessagePictureBytes()));
    EXPECT_EQ(picture.substr(0, 2), "\xFF\xD8");  // a JPEG start ...
    EXPECT_EQ(picture.substr(picture.size() - 2), "\xFF\xD9");  // ... and end

    WriteAll(paths.patternPath, "*.mine\r\n");
    WriteAll(paths.messagePicturePath, "not replaced");
    CreateMissingProgramFiles(paths);
    EXPECT_EQ(ReadAll(paths.patternPath), "*.mine\r\n");
    EXPECT_EQ(ReadAll(paths.messagePicturePath), "not replaced");
}

TEST(ProgramFiles, MissingSettingsFolderIsCreatedWithItsParents) {
    // The configuration-folder fallback of an installed copy starts without that folder.
    TempFolder folder;
    AppPaths paths;
    paths.programFolder = folder.Path();
    paths.settingsFolder = folder.Sub("config/deeper/pelmora");
    paths.patternPath = folder.Sub("config/deeper/pelmora/pattern.txt");
    paths.messagePicturePath = folder.Sub("config/deeper/pelmora/Message1.jpg");
    CreateMissingProgramFiles(paths);
    EXPECT_EQ(ReadAll(paths.patternPath), DefaultPatternFileText());
    EXPECT_EQ(ReadAll(paths.messagePicturePath).size(), kMessagePictureSize);
}

TEST(ProgramFiles, WriteFailureCarriesTheSystemError) {
    TempFolder folder;
    try {
        WriteDefaultPatternFile(folder.Sub("no-such-folder/pattern.txt"));
        FAIL() << "expected an error";
    } catch (const std::system_error& error) {
        EXPECT_EQ(error.code().value(), ENOENT);
    }
}

}  // namespace
}  // namespace pelmora
