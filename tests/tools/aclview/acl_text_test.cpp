#include "tools/aclview/acl_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/tools/aclview/fake_security.h"

namespace pelmora {
namespace {

using platform::AccessEntry;
using platform::AccessEntryType;
using testing::FakeSecurity;

TEST(AccessMaskText, DecodesTheMaskInTableOrder) {
    const std::pair<std::uint32_t, const char*> cases[] = {
        {0x001F01FF, "All"},
        {0xFFFFFFFF, "All"},
        {0x001200A9, "RX"},    // read and execute
        {0x001301BF, "RWXD"},  // modify
        {0x00120089, "R"},
        {0x00120116, "W"},
        {0x001200A0, "X"},
        {0x00010000, "D"},
        {0x00040000, "P"},
        {0x00080000, "O"},
        {0x000D0000, "DPO"},
        {0x001F01BF, "RWXDPO"},  // everything but delete-child is not full control
        {0x00120088, ""},        // a group needs every one of its bits
        {0x00000001, ""},
        {0, ""},
    };
    for (const auto& [mask, text] : cases) EXPECT_EQ(AccessMaskText(mask), text) << std::hex << mask;
}

TEST(AceRightsText, DenyEntryReadsNoAccessWhateverItsMask) {
    EXPECT_EQ(AceRightsText(AccessEntryType::Denied, 0x001F01FF), "アクセス権なし");
    EXPECT_EQ(AceRightsText(AccessEntryType::Denied, 0), "アクセス権なし");
    EXPECT_EQ(AceRightsText(AccessEntryType::Allowed, 0x001200A9), "RX");
    EXPECT_EQ(AceRightsText(static_cast<AccessEntryType>(2), 0x00120089), "R") << "other entry types decode the mask";
}

TEST(AccountNameColumn, CutsOrPadsToThirtyFourCharacters) {
    const std::string a40(40, 'a');
    const std::string kanji40 = [] {
        std::string s;
        for (int i = 0; i < 40; ++i) s += "漢";
        return s;
    }();
    struct Case {
        std::string name;
        std::string column;
    };
    const Case cases[] = {
        {"", std::string(34, ' ')},
        {"alice", "alice" + std::string(29, ' ')},
        {std::string(34, 'b'), std::string(34, 'b')},
        {a40, std::string(34, 'a')},
        {"管理者", "管理者" + std::string(31, ' ')},
        {kanji40, kanji40.substr(0, 34 * 3)},
        {std::string(33, 'c') + "あい", std::string(33, 'c') + "あ"},
        {"\xFFz", "\xFFz" + std::string(32, ' ')},     // a stray byte is one character
        {"\xE6\xBC", "\xE6\xBC" + std::string(32, ' ')},  // a cut-off sequence: two stray bytes
        {"😀x", "😀x" + std::string(32, ' ')},
    };
    for (const Case& c : cases) EXPECT_EQ(AccountNameColumn(c.name), c.column) << c.name;
}

TEST(AclLines, OneLinePerEntryWithNameColumnAndRights) {
    FakeSecurity security;
    security.entries = {
        {AccessEntryType::Allowed, 0x001F01FF, "Administrators"},
        {AccessEntryType::Denied, 0x001F01FF, "Guest"},
        {AccessEntryType::Allowed, 0x001200A9, "ユーザー"},
        {AccessEntryType::Allowed, 0x00000001, "odd"},
        {AccessEntryType::Allowed, 0x00120089, ""},
    };
    const std::vector<std::string> expected = {
        "Administrators" + std::string(20, ' ') + "All",
        "Guest" + std::string(29, ' ') + "アクセス権なし",
        "ユーザー" + std::string(30, ' ') + "RX",
        "odd" + std::string(31, ' ') + "特別なアクセス権",
        std::string(34, ' ') + "R",
    };
    EXPECT_EQ(AclLines("/data/x.txt", security), expected);
    EXPECT_EQ(security.askedVolume, "/data/x.txt");
    EXPECT_EQ(security.askedEntries, "/data/x.txt");
}

TEST(AclLines, FailuresAreSingleMessageLines) {
    FakeSecurity security;
    security.keeps = false;
    security.entries = {{AccessEntryType::Allowed, 0x001F01FF, "root"}};
    EXPECT_EQ(AclLines("/mnt/usb/a.txt", security), std::vector<std::string>{"ドライブがNTFSではありません"});
    EXPECT_TRUE(security.askedEntries.empty()) << "the entries are not read from such a volume";

    security.keeps = true;
    security.readable = false;
    EXPECT_EQ(AclLines("/gone", security), std::vector<std::string>{"取得に失敗しました"});

    security.readable = true;
    security.entries.clear();
    EXPECT_TRUE(AclLines("/no/list", security).empty()) << "no entries: empty list, no message";
}

}  // namespace
}  // namespace pelmora
