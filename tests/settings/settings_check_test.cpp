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

}

// The program's own newly written file never warns about itself, wherever it runs: its
// picture names read as empty where the pictures are not beside the program.
TEST(SettingsFileFindings, TheDefaultFileHasNoFindings) {
    testing::TempTree folder;
    const std::string fresh = folder / "fresh.ini";
    CreateDefaultIni(fresh);
    EXPECT_EQ(SettingsFileFindings(fresh, folder.path()), Lines{});
    // A picture named by hand that is not there is still a finding.
    const std::string edited = folder.AddFile("edited.ini", "[Pelmora]\r\nFreePicture1=mine.bmp\r\n");
    EXPECT_EQ(SettingsFileFindings(edited, folder.path()), (Lines{"FreePicture1=mine.bmp reads as FreePicture1="}));
}

}  // namespace
}  // namespace pelmora
