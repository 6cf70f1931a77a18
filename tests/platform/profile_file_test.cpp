#include "platform/profile_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <random>
#include <string>

#include "tests/support/temp_tree.h"

namespace fs = std::filesystem;
using namespace pelmora::platform;

namespace {

using pelmora::testing::ReadFile;
using pelmora::testing::TempTree;

TEST(ProfileFileRead, FollowsTheProfileRules) {
    struct Case {
        const char* what;
        std::string file;
        const char* section;
        const char* key;
        std::string expected;
    } cases[] = {
        {"plain", "[A]\r\nk=v\r\n", "A", "k", "v"},
        {"section case", "[AclView]\r\nk=v\r\n", "ACLView", "k", "v"},
        {"key case", "[C]\r\nCV_use_Stealth=1\r\n", "c", "CV_use_stealth", "1"},
        {"absent key", "[A]\r\nk=v\r\n", "A", "other", ""},
        {"spaces around everything", "  [ A ]  \r\n  k  =  v w  \r\n", "A", "k", "v w"},
        {"double quotes stripped", "[A]\r\nk=\" v \"\r\n", "A", "k", " v "},
        {"single quotes stripped", "[A]\r\nk='v'\r\n", "A", "k", "v"},
        {"empty quotes", "[A]\r\nk=\"\"\r\n", "A", "k", ""},
        {"lone double quote", "[A]\r\nk=\"\r\n", "A", "k", "\""},
        {"unmatched quotes stay", "[A]\r\nk=\"v'\r\n", "A", "k", "\"v'"},
        {"second = belongs to value", "[A]\r\nk=a=b\r\n", "A", "k", "a=b"},
        {"no comment syntax", "[A]\r\n; x=1\r\n", "A", "; x", "1"},
        {"key without =", "[A]\r\nk\r\nk=v\r\n", "A", "k", ""},
        {"first duplicate key", "[A]\r\nk=1\r\nk=2\r\n", "A", "k", "1"},
        {"first duplicate section", "[A]\r\nk=1\r\n[a]\r\nk=2\r\nj=3\r\n", "A", "k", "1"},
        {"repeated section is unseen", "[A]\r\nk=1\r\n[a]\r\nj=3\r\n", "A", "j", ""},
        {"keys before any section", "k=0\r\n[A]\r\nk=1\r\n", "A", "k", "1"},
        {"LF only", "[A]\nk=v\nj=w\n", "A", "j", "w"},
        {"CR only", "[A]\rk=v\rj=w\r", "A", "j", "w"},
        {"no final line break", "[A]\r\nk=v", "A", "k", "v"},
        {"byte-order mark", "\xEF\xBB\xBF[A]\r\nk=v\r\n", "A", "k", "v"},
        {"NUL ends the value", std::string("[A]\r\nk=ab\0cd\r\n", 14), "A", "k", "ab"},
        {"header without ] is a key", "[A]\r\n[B=1\r\n", "A", "[B", "1"},
        {"text after ] ignored", "[A] tail\r\nk=v\r\n", "A", "k", "v"},
        {"invalid UTF-8 kept", "[A]\r\nk=\xff\xfe\x80\r\n", "A", "k", "\xff\xfe\x80"},
        {"value cut to 255 bytes", "[A]\r\nk=" + std::string(300, 'x') + "\r\n", "A", "k", std::string(255, 'x')},
        {"cut after unquoting", "[A]\r\nk=\"" + std::string(300, 'y') + "\"\r\n", "A", "k", std::string(255, 'y')},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ProfileFile::Parse(c.file).ReadString(c.section, c.key), c.expected) << c.what;
    }
}

TEST(ProfileFileRead, IntegersFollowTheProfileRules) {
    struct Case {
        const char* text;
        std::int32_t expected;
    } cases[] = {
        {"", 0},
        {"180", 180},
        {"  42  ", 42},
        {"-15", -15},
        {"+7", 7},
        {"12abc", 12},
        {"abc", 0},
        {"-", 0},
        {"0x1F", 31},
        {"-0x10", -16},
        {"0x", 0},
        {"\"300\"", 300},
        {"2147483647", 2147483647},
        {"2147483648", -2147483647 - 1},
        {"4294967296", 0},
        {"4294967297", 1},
        {"0xFFFFFFFF", -1},
        {"1.9", 1},
    };
    for (const auto& c : cases) {
        const std::string file = std::string("[A]\r\nk=") + c.text + "\r\n";
        EXPECT_EQ(ProfileFile::Parse(file).ReadInt("A", "k"), c.expected) << c.text;
    }
    EXPECT_EQ(ProfileFile::Parse("[A]\r\n").ReadInt("A", "missing"), 0);
}

TEST(ProfileFileRead, BadInputNeverCrashes) {
    std::mt19937 random(12345);
    std::string garbage(1 << 16, '\0');
    for (char& c : garbage) c = static_cast<char>(random());
    const std::string inputs[] = {
        garbage,
        std::string(4096, '\0'),
        "[A]\r\nk=" + std::string(1 << 20, 'z') + "\r\nj=after\r\n",
        std::string(100000, '['),
        std::string(100000, '\r'),
        std::string(100000, '='),
        "[",
        "]",
        "[]",
        "=",
        "\xEF\xBB",
        "\xEF\xBB\xBF",
    };
    for (const auto& input : inputs) {
        ProfileFile file = ProfileFile::Parse(input);
        file.ReadString("A", "k");
        file.ReadInt("A", "k");
        EXPECT_EQ(file.Text(), input) << "parsing must keep every byte";
        EXPECT_TRUE(file.SetString("A", "k", "v"));
        EXPECT_EQ(file.ReadString("A", "k"), "v");
    }
    EXPECT_EQ(ProfileFile::Parse(inputs[2]).ReadString("A", "j"), "after");
}

TEST(ProfileFileLoad, MissingOrUnreadableFileReadsEmpty) {
    TempTree dir;
    EXPECT_EQ(ReadProfileString("A", "k", dir / "missing.ini"), "");
    EXPECT_EQ(ReadProfileInt("A", "k", dir / "missing.ini"), 0);
    EXPECT_EQ(ReadProfileString("A", "k", dir.path()), "") << "a folder in place of the file";
    const std::string locked = dir.AddFile("locked.ini", "[A]\r\nk=5\r\n");
    chmod(locked.c_str(), 0);
    if (geteuid() != 0) {
        EXPECT_EQ(ReadProfileInt("A", "k", locked), 0);
    }
    chmod(locked.c_str(), 0644);
    EXPECT_EQ(ReadProfileInt("A", "k", locked), 5);
}

TEST(ProfileFileWrite, EditsInPlaceAndKeepsEverythingElse) {
    struct Case {
        const char* what;
        std::string before;
        const char* section;
        const char* key;
        const char* value;
        std::string after;
    } cases[] = {
        {"replace first occurrence, keep spelling",
         "; note\r\n[pelmora]\r\n  KAKOMI = old\r\nkakomi=second\r\nOther=1\r\n", "Pelmora", "Kakomi", "new",
         "; note\r\n[pelmora]\r\nKAKOMI=new\r\nkakomi=second\r\nOther=1\r\n"},
        {"append at end of section before blank lines", "[A]\r\nx=1\r\n\r\n[B]\r\ny=2\r\n", "A", "k", "v",
         "[A]\r\nx=1\r\nk=v\r\n\r\n[B]\r\ny=2\r\n"},
        {"append to empty section", "[A]\r\n\r\n[B]\r\n", "a", "k", "v", "[A]\r\nk=v\r\n\r\n[B]\r\n"},
        {"append to last section without final break", "[A]\r\nx=1", "A", "k", "v", "[A]\r\nx=1\r\nk=v\r\n"},
        {"new section at end of file", "[A]\r\nx=1\r\n", "B", "k", "v", "[A]\r\nx=1\r\n\r\n[B]\r\nk=v\r\n"},
        {"new section after a blank line", "[A]\r\nx=1\r\n\r\n", "B", "k", "v", "[A]\r\nx=1\r\n\r\n[B]\r\nk=v\r\n"},
        {"new section, no final break", "[A]\r\nx=1", "B", "k", "v", "[A]\r\nx=1\r\n\r\n[B]\r\nk=v\r\n"},
        {"empty file", "", "A", "k", "v", "[A]\r\nk=v\r\n"},
        {"LF-only file keeps its line ends", "[A]\nx=1\n[B]\ny=2\n", "A", "k", "v", "[A]\nx=1\nk=v\r\n[B]\ny=2\n"},
        {"first of duplicate sections", "[A]\r\nx=1\r\n[A]\r\nk=old\r\n", "A", "k", "v",
         "[A]\r\nx=1\r\nk=v\r\n[A]\r\nk=old\r\n"},
        {"byte-order mark kept", "\xEF\xBB\xBF[A]\r\nk=1\r\n", "A", "k", "2", "\xEF\xBB\xBF[A]\r\nk=2\r\n"},
        {"empty value", "[A]\r\nk=1\r\n", "A", "k", "", "[A]\r\nk=\r\n"},
        {"lone quote written bare", "", "A", "k", "\"", "[A]\r\nk=\"\r\n"},
        {"surrounding spaces kept by quoting", "", "A", "k", " v ", "[A]\r\nk=\" v \"\r\n"},
        {"surrounding quotes kept by quoting", "", "A", "k", "'v'", "[A]\r\nk=\"'v'\"\r\n"},
        {"keys before any section untouched", "k=0\r\n[A]\r\n", "A", "k", "1", "k=0\r\n[A]\r\nk=1\r\n"},
    };
    for (const auto& c : cases) {
        ProfileFile file = ProfileFile::Parse(c.before);
        ASSERT_TRUE(file.SetString(c.section, c.key, c.value)) << c.what;
        EXPECT_EQ(file.Text(), c.after) << c.what;
        EXPECT_EQ(ProfileFile::Parse(file.Text()).ReadString(c.section, c.key), c.value) << c.what;
    }
}

TEST(ProfileFileWrite, RefusesWhatWouldBreakTheFileApart) {
    const std::string before = "[A]\r\nk=1\r\n";
    struct Case {
        std::string section, key, value;
    } cases[] = {
        {"A", "k", "a\r\nDirPath=/etc"},
        {"A", "k", "a\nb"},
        {"A", "k", std::string("a\0b", 3)},
        {"A", "", "v"},
        {"", "k", "v"},
        {"A", "k=x", "v"},
        {"A", "[k]", "v"},
        {"A]", "k", "v"},
        {"A", "k\r", "v"},
    };
    for (const auto& c : cases) {
        ProfileFile file = ProfileFile::Parse(before);
        EXPECT_FALSE(file.SetString(c.section, c.key, c.value)) << c.key << " / " << c.value;
        EXPECT_EQ(file.Text(), before);
    }
}

TEST(ProfileFileWrite, FileRoundTrip) {
    TempTree dir;
    const std::string ini = dir / "Pelmora.ini";
    ASSERT_TRUE(WriteProfileString("Pelmora", "FormLeft", "1200", ini)) << "a missing file is created";
    EXPECT_EQ(ReadFile(ini), "[Pelmora]\r\nFormLeft=1200\r\n");
    ASSERT_TRUE(WriteProfileStrings({{"Pelmora", "FormTop", "-30"}, {"HexView", "Hex_ReadByte", "2048"}}, ini));
    EXPECT_EQ(ReadProfileInt("pelmora", "formtop", ini), -30);
    EXPECT_EQ(ReadProfileInt("HEXVIEW", "HEX_READBYTE", ini), 2048);
    EXPECT_FALSE(WriteProfileStrings({{"Pelmora", "Bad", "a\nb"}, {"Pelmora", "Good", "g"}}, ini));
    EXPECT_EQ(ReadProfileString("Pelmora", "Good", ini), "g") << "valid entries of a batch are still written";
    EXPECT_EQ(ReadProfileString("Pelmora", "Bad", ini), "");
}

TEST(ProfileFileWrite, AnyEditInOneLockedUpdateRemovesOnlyTheNamedKey) {
    TempTree dir;
    const std::string ini = dir / "Pelmora.ini";
    pelmora::testing::WriteFile(ini, "[A]\r\nk=1\r\nx=2\r\n; k=comment\r\n[B]\r\nk=3\r\n");
    EXPECT_TRUE(UpdateProfileFile(ini, [](ProfileFile& file) { return file.RemoveKey("a", " K "); }));
    EXPECT_EQ(ReadFile(ini), "[A]\r\nx=2\r\n; k=comment\r\n[B]\r\nk=3\r\n");
    // An edit that could not be made in full still writes the rest, and says so.
    EXPECT_FALSE(UpdateProfileFile(ini, [](ProfileFile& file) {
        file.SetString("B", "y", "4");
        return file.RemoveKey("A", "k");
    }));
    EXPECT_EQ(ReadProfileString("B", "y", ini), "4");
    EXPECT_FALSE(UpdateProfileFile(ini, [](ProfileFile& file) { return file.RemoveKey("C", "k"); }));
}

TEST(ProfileFileWrite, WritesThroughSymbolicLink) {
    TempTree dir;
    const std::string real = dir.AddFile("real.ini", "[A]\r\nk=1\r\n");
    const std::string link = dir / "link.ini";
    ASSERT_EQ(symlink(real.c_str(), link.c_str()), 0);
    ASSERT_TRUE(WriteProfileString("A", "k", "2", link));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(ReadFile(real), "[A]\r\nk=2\r\n");
}

TEST(ProfileFileWrite, UnreadableFileIsNotReplaced) {
    if (geteuid() == 0) GTEST_SKIP() << "permissions do not bind the super-user";
    TempTree dir;
    const std::string ini = dir.AddFile("Pelmora.ini", "[A]\r\nk=1\r\nmany=keys\r\n");
    chmod(ini.c_str(), 0200);
    EXPECT_FALSE(WriteProfileString("A", "k", "2", ini));
    chmod(ini.c_str(), 0644);
    EXPECT_EQ(ReadFile(ini), "[A]\r\nk=1\r\nmany=keys\r\n");
}

TEST(ProfileFileWrite, TwoProcessesWritingAtOnceLoseNothing) {
    TempTree dir;
    const std::string ini = dir / "Pelmora.ini";
    constexpr int kKeys = 500;
    pid_t children[2];
    for (int p = 0; p < 2; ++p) {
        children[p] = fork();
        ASSERT_GE(children[p], 0);
        if (children[p] == 0) {
            bool ok = true;
            for (int i = 0; i < kKeys; ++i) {
                // Both processes share one section and each also has its own.
                const std::string key = "P" + std::to_string(p) + "_" + std::to_string(i);
                ok = WriteProfileString(i % 2 ? "Shared" : "Own" + std::to_string(p), key, std::to_string(i), ini) && ok;
            }
            _exit(ok ? 0 : 1);
        }
    }
    for (pid_t child : children) {
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 0);
    }
    const ProfileFile file = ProfileFile::Load(ini);
    int lost = 0;
    for (int p = 0; p < 2; ++p) {
        for (int i = 0; i < kKeys; ++i) {
            const std::string key = "P" + std::to_string(p) + "_" + std::to_string(i);
            if (file.ReadString(i % 2 ? "Shared" : "Own" + std::to_string(p), key) != std::to_string(i)) ++lost;
        }
    }
    EXPECT_EQ(lost, 0);
    for (const auto& entry : fs::directory_iterator(dir.path())) {
        const std::string name = entry.path().filename().string();
        EXPECT_EQ(name, "Pelmora.ini") << "left behind";
    }
}

}  // namespace
