#include "app/command_line.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

using namespace pelmora;

TEST(CommandLine, PathsWinOverOptionsAndUnknownOptionsAreRefused) {
    const std::set<std::string> existing = {"--help", "-x.txt", "a.txt"};
    const auto exists = [&](const std::string& path) { return existing.count(path) != 0; };
    struct Case {
        std::vector<std::string> arguments;
        CommandLineRequest request;
        std::string offending;
    };
    const Case cases[] = {
        {{}, CommandLineRequest::Window, ""},
        {{" ", "  "}, CommandLineRequest::Window, ""},
        {{"a.txt", "missing"}, CommandLineRequest::ListPaths, ""},
        {{"--help"}, CommandLineRequest::ListPaths, ""},  // a file of that name exists here
        {{"-x.txt", "a.txt"}, CommandLineRequest::ListPaths, ""},
        {{"--version"}, CommandLineRequest::Version, ""},
        {{"-v"}, CommandLineRequest::UnknownOption, "-v"},
        {{"a.txt", "--version"}, CommandLineRequest::UnknownOption, "--version"},
        {{"-"}, CommandLineRequest::UnknownOption, "-"},
        {{"--keep-clipboard", "-platform", "xcb;offscreen"}, CommandLineRequest::KeepClipboard, ""},
    };
    for (const Case& c : cases) {
        const CommandLineChoice choice = ClassifyCommandLine(c.arguments, exists);
        EXPECT_EQ(choice.request, c.request) << testing::PrintToString(c.arguments);
        EXPECT_EQ(choice.offending, c.offending);
    }
    const auto nothingExists = [](const std::string&) { return false; };
    EXPECT_EQ(ClassifyCommandLine({"--help"}, nothingExists).request, CommandLineRequest::Help);
    EXPECT_EQ(ClassifyCommandLine({"./--help"}, nothingExists).request, CommandLineRequest::ListPaths);
}

TEST(CommandLine, TheWindowNeedsADisplayOrAnExplicitQtPlatform) {
    EXPECT_FALSE(WindowCanBeShown(nullptr, nullptr, nullptr));
    EXPECT_FALSE(WindowCanBeShown("", "", ""));
    EXPECT_TRUE(WindowCanBeShown(":0", nullptr, nullptr));
    EXPECT_TRUE(WindowCanBeShown(nullptr, "wayland-0", nullptr));
    EXPECT_TRUE(WindowCanBeShown(nullptr, nullptr, "offscreen"));
}

// --version and the About box tell the same version.
TEST(CommandLine, VersionIsTheProgramsOwn) { EXPECT_EQ(ProgramVersionText(), "pelmora 1.60\n"); }

}  // namespace
