#include "tools/jump/jump_slots.h"

#include <gtest/gtest.h>

#include "settings/ini_access.h"
#include "settings/settings_store.h"
#include "tests/support/temp_tree.h"

namespace pelmora {
namespace {

TEST(JumpSlotsTest, RowsHaveTwoDigitKeysAndCaptions) {
    EXPECT_EQ(JumpKeyName(1), "Jump01");
    EXPECT_EQ(JumpKeyName(10), "Jump10");
    EXPECT_EQ(JumpButtonCaption(""), "無し");
    EXPECT_EQ(JumpButtonCaption("   "), "   ");
    EXPECT_TRUE(JumpSlotIsBlank(""));
    EXPECT_TRUE(JumpSlotIsBlank("   "));
    // A tab is content, as everywhere else in the settings.
    EXPECT_FALSE(JumpSlotIsBlank("\t"));
    EXPECT_FALSE(JumpSlotIsBlank(" /tmp "));
}

TEST(JumpSlotsTest, RegisteringWritesOnlyItsRowAndOverwrites) {
    testing::TempTree folder;
    const std::string ini = folder / "Pelmora.ini";
    CreateDefaultIni(ini);
    WriteIniString("Pelmora", "Jump01", "/kept", ini);
    Settings settings;
    LoadSettings(settings, ini);
    settings.Jump[1] = "/changed but not registered";

    EXPECT_TRUE(RegisterJumpFolder(settings, 3, "/tmp/a b", ini));
    EXPECT_EQ(settings.Jump[2], "/tmp/a b");
    EXPECT_EQ(ReadIniString("Pelmora", "Jump03", ini), "/tmp/a b");
    EXPECT_EQ(ReadIniString("Pelmora", "Jump01", ini), "/kept");
    EXPECT_EQ(ReadIniString("Pelmora", "Jump02", ini), "");

    EXPECT_TRUE(RegisterJumpFolder(settings, 3, "/srv", ini));
    EXPECT_EQ(ReadIniString("Pelmora", "Jump03", ini), "/srv");
    EXPECT_FALSE(RegisterJumpFolder(settings, 11, "/srv", ini));
}

}  // namespace
}  // namespace pelmora
