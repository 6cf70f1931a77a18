#include "settings/key_reference.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "settings/key_table.h"

namespace {

using namespace pelmora;

TEST(KeyReference, EveryKeyIsDescribedAndTheCheckedInPageIsCurrent) {
    for (const KeyDescriptor& d : KeyTable()) EXPECT_FALSE(KeyPurpose(d.key).empty()) << d.key;
    EXPECT_TRUE(KeyPurpose("SFolderSise").empty());

    const std::string expected = SettingsReferenceText();
    // Spot checks of the columns the table does not hold itself.
    EXPECT_NE(expected.find("| `FileSizePatarn` | flag, on only when `1` | – | `0` | settings dialog | "
                            "selected files (ファイル名を取得): 1: sizes with thousands separators (1,263,616) |"),
              std::string::npos);
    EXPECT_NE(expected.find("| `Kakomi` | text with `<TAB>`, `<CRLF>` | `\"` | (empty) | settings dialog |"),
              std::string::npos);
    EXPECT_NE(expected.find("| `TreeWaitTime` | number | – | `180` | by hand only |"), std::string::npos);
    EXPECT_NE(expected.find("| `Hex_FormTop` | number | – | `0` | its window, on closing |"), std::string::npos);
    EXPECT_NE(expected.find("| `Jump10` | text | – | (empty) | Jump window (登録) |"), std::string::npos);

    std::ifstream file(PELMORA_SETTINGS_PAGE, std::ios::binary);
    std::stringstream checkedIn;
    checkedIn << file.rdbuf();
    if (checkedIn.str() != expected) {
        std::ofstream(PELMORA_SETTINGS_PAGE_EXPECTED, std::ios::binary) << expected;
        ADD_FAILURE() << "docs/SETTINGS.md is out of date; the current page is in " << PELMORA_SETTINGS_PAGE_EXPECTED;
    }
}

}  // namespace
