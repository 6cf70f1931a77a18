#include "settings/settings_check.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings/settings_store.h"
#include "tests/support/temp_tree.h"

namespace pelmora {
namespace {

using Lines = std::vector<std::string>;

TEST(SettingsFileFindings, MisspeltKeysAndValuesNormalisationChanges) {
    testing::TempTree folder;
    const std::string ini = folder.AddFile(
        "Pelmora.ini",
        "[Pelmora]\r\nSFolderSise=1\r\nfilename=1\r\nFileSizePatarn=yes\r\nFileDateTime=\r\n; Kakomi=x\r\n"
        "[HexView]\r\nHex_ReadByte=3000\r\nKakomi=\"\r\n[Other]\r\nKey=1\r\n[netdrive]\r\nShare1=//nas/docs\r\n");
    // The connected network drives are no misspelt keys.
    EXPECT_EQ(SettingsFileFindings(ini, folder.path()),
              (Lines{"unknown key [Pelmora] SFolderSise", "unknown key [HexView] Kakomi", "unknown key [Other] Key",
                     "FileSizePatarn=yes reads as FileSizePatarn=0", "Hex_ReadByte=3000 reads as Hex_ReadByte=1024"}));

    // A newly created file holds only keys the program reads. (Its picture names are looked
    // up from the current folder, so whether they read as written depends on where it runs.)
    const std::string fresh = folder / "fresh.ini";
    CreateDefaultIni(fresh);
    for (const std::string& finding : SettingsFileFindings(fresh, folder.path()))
        EXPECT_EQ(finding.find("unknown key"), std::string::npos) << finding;
}

}  // namespace
}  // namespace pelmora
