#include "settings/dialog_bindings.h"

#include <gtest/gtest.h>

#include <set>

#include "settings/font_setting.h"
#include "settings/key_table.h"
#include "settings/program_choice.h"
#include "settings/settings_store.h"
#include "tests/support/temp_tree.h"

namespace pelmora {
namespace {

TEST(DialogBindingsTest, EveryControlIsUniqueAndEditsASavedKey) {
    std::set<std::string_view> controls;
    std::set<std::string_view> saved;
    for (const SavedKey& key : SavedKeys()) saved.insert(key.descriptor->key);
    for (const ControlBinding& binding : SettingsDialogBindings()) {
        EXPECT_TRUE(controls.insert(binding.control).second) << binding.control;
        ASSERT_NE(FindKeyDescriptor(binding.key), nullptr) << binding.key;
        EXPECT_TRUE(saved.count(binding.key)) << binding.key;
        EXPECT_GE(binding.page, 1);
        EXPECT_LE(binding.page, 10);
    }
    // Tab 1: 14 rows of three, tab 3: 5 rows with no right box in row 2.
    EXPECT_EQ(GridRowCaptions(1).size(), 14u);
    EXPECT_EQ(GridRowCaptions(1)[1], "　↑フルパスで取得する");
    EXPECT_EQ(FindControlBinding("DL_Chk_Size2")->key, "DropSizePatarn");
    EXPECT_EQ(FindControlBinding("Check35")->key, "SFolderShortName");
    EXPECT_EQ(FindControlBinding("Check46")->gridColumn, 1);
    EXPECT_TRUE(FindControlBinding("Check19")->caption.empty());
}

TEST(DialogBindingsTest, ExclusivePairsClearTheirPartnerOnlyWhenChecked) {
    Settings settings;
    settings.ShowNetViewWindow = "1";
    EXPECT_EQ(ApplyCheck(settings, "Check48", true), "Check49");
    EXPECT_EQ(settings.ShowJumpWindow, "1");
    EXPECT_EQ(settings.ShowNetViewWindow, "0");
    EXPECT_EQ(ApplyCheck(settings, "Check48", false), "");
    EXPECT_EQ(settings.ShowJumpWindow, "0");
    EXPECT_EQ(settings.ShowNetViewWindow, "0");

    settings.CV_jpg = "1";
    EXPECT_EQ(ApplyCheck(settings, "CV_Check_Su_jpg", true), "CV_Check_jpg");
    EXPECT_EQ(settings.CV_jpg, "0");
    EXPECT_EQ(settings.CV_Su_jpg, "1");
    EXPECT_EQ(ApplyCheck(settings, "Check9", false), "");
    EXPECT_EQ(settings.FileName, "0");

    settings.CV_jpg = "1";
    settings.CV_Su_jpg = "1";
    MakeJpegReadersExclusive(settings);
    EXPECT_EQ(settings.CV_Su_jpg, "0");
    settings.CV_jpg = "0";
    settings.CV_Su_jpg = "1";
    MakeJpegReadersExclusive(settings);
    EXPECT_EQ(settings.CV_Su_jpg, "1");
}

TEST(DialogBindingsTest, NumberKeysTakeOnlyNumbers) {
    Settings settings;
    EXPECT_TRUE(StoreBoundValue(settings, "Hex_ReadByte", "4096"));
    EXPECT_EQ(settings.Hex_ReadByte, 4096);
    EXPECT_EQ(BoundValue(settings, "Hex_ReadByte"), "4096");
    EXPECT_FALSE(StoreBoundValue(settings, "Hex_ReadByte", "4k"));
    EXPECT_EQ(settings.Hex_ReadByte, 4096);
    EXPECT_TRUE(StoreBoundValue(settings, "ShellExePath02", " /usr/bin/x "));
    EXPECT_EQ(settings.ShellExePath[1], " /usr/bin/x ");
}

TEST(DialogBindingsTest, FontsKeepTheirSizeAsTextAndPreviewIt) {
    EXPECT_EQ(FontSizeText(9), "9");
    EXPECT_EQ(FontSizeText(10.5), "10.5");
    EXPECT_EQ(FontSizeText(11.25), "11.25");
    Settings settings;
    StoreFontSetting(settings, "Jump", {"IPAGothic", "9", true, false});
    EXPECT_EQ(settings.JumpFontName, "IPAGothic");
    EXPECT_EQ(settings.JumpFontBold, "1");
    EXPECT_EQ(settings.JumpFontItalic, "0");
    EXPECT_EQ(FontPreviewText(ReadFontSetting(settings, "Jump")), "IPAGothic\r\nサイズ:9  太字");
    EXPECT_EQ(FontPreviewText({"A", "10.5", true, true}), "A\r\nサイズ:10.5  太字  斜体");
}

TEST(DialogBindingsTest, TheProgramDialogStartsAtAnExistingProgramElseAtHome) {
    testing::TempTree folder;
    const std::string program = folder.AddFile("tools/run me", "#!/bin/sh\n");
    const ProgramChoiceStart atProgram = ProgramChoiceStartFor(program);
    EXPECT_EQ(atProgram.folder, folder / "tools");
    EXPECT_EQ(atProgram.fileName, "run me");
    for (const std::string& none : {std::string(), folder / "tools/gone"}) {
        const ProgramChoiceStart home = ProgramChoiceStartFor(none);
        EXPECT_FALSE(home.folder.empty());
        EXPECT_TRUE(home.fileName.empty());
    }
}

}  // namespace
}  // namespace pelmora
