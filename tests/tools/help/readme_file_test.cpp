#include "tools/help/readme_file.h"

#include <gtest/gtest.h>

#include "tests/support/temp_tree.h"

namespace pelmora {
namespace {

TEST(ReadmeFileTest, BesideTheProgramComesBeforeTheInstalledCopy) {
    testing::TempTree prefix;
    const std::string bin = prefix / "my programs/bin";
    const std::string installed = prefix / "my programs/share/doc/pelmora/Readme.txt";
    testing::WriteFile(installed, "installed");
    EXPECT_EQ(FindReadme(bin), installed);
    EXPECT_EQ(FindReadme(bin + "/"), installed);

    const std::string beside = bin + "/Readme.txt";
    testing::WriteFile(beside, "beside");
    EXPECT_EQ(FindReadme(bin), beside);
}

TEST(ReadmeFileTest, AFolderOfThatNameIsNoReadme) {
    testing::TempTree prefix;
    std::filesystem::create_directories(prefix / "bin/Readme.txt");
    EXPECT_EQ(FindReadme(prefix / "bin"), "");
}

}  // namespace
}  // namespace pelmora
