#include "tools/help/readme_file.h"

#include <gtest/gtest.h>

#include "tests/support/fake_job_context.h"
#include "tests/support/fake_process_starter.h"
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

    // The path goes to the opener as it is, spaces and all, with no shell between.
    testing::FakeProcessStarter starter;
    testing::FakeDialogs dialogs;
    OpenReadme(bin, starter, dialogs);
    EXPECT_EQ(starter.calls, std::vector<std::string>{"open|" + beside});
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST(ReadmeFileTest, AMissingReadmeIsToldAndNothingOpens) {
    testing::TempTree prefix;
    // A folder of that name is no readme.
    std::filesystem::create_directories(prefix / "bin/Readme.txt");
    testing::FakeProcessStarter starter;
    testing::FakeDialogs dialogs;
    OpenReadme(prefix / "bin", starter, dialogs);
    EXPECT_TRUE(starter.calls.empty());
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{"Readme.txtが見つかりません"});
}

}  // namespace
}  // namespace pelmora
