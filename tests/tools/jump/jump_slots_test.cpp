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

    EXPECT_EQ(RegisterJumpFolder(settings, 3, "/tmp/a b", ini), JumpRegistration::Registered);
    EXPECT_EQ(settings.Jump[2], "/tmp/a b");
    EXPECT_EQ(ReadIniString("Pelmora", "Jump03", ini), "/tmp/a b");
    EXPECT_EQ(ReadIniString("Pelmora", "Jump01", ini), "/kept");
    EXPECT_EQ(ReadIniString("Pelmora", "Jump02", ini), "");

    EXPECT_EQ(RegisterJumpFolder(settings, 3, "/srv", ini), JumpRegistration::Registered);
    EXPECT_EQ(ReadIniString("Pelmora", "Jump03", ini), "/srv");
    EXPECT_EQ(RegisterJumpFolder(settings, 11, "/srv", ini), JumpRegistration::NotSaved);
}

// What is registered is what the next start reads back: a path the settings file cannot
// give back whole is refused and changes nothing; up to the limit it returns whole, also
// with the spaces at its end that a reader would trim.
TEST(JumpSlotsTest, OnlyAPathThatReadsBackWholeIsRegistered) {
    testing::TempTree folder;
    const std::string ini = folder / "Pelmora.ini";
    CreateDefaultIni(ini);
    Settings settings;
    LoadSettings(settings, ini);
    const std::string longest = "/" + std::string(253, 'a') + " ";  // 255 bytes
    EXPECT_EQ(RegisterJumpFolder(settings, 1, longest, ini), JumpRegistration::Registered);
    EXPECT_EQ(RegisterJumpFolder(settings, 2, "/kept", ini), JumpRegistration::Registered);
    EXPECT_EQ(RegisterJumpFolder(settings, 2, longest + "b", ini), JumpRegistration::PathTooLong);
    EXPECT_EQ(settings.Jump[1], "/kept");

    Settings restarted;
    LoadSettings(restarted, ini);
    EXPECT_EQ(restarted.Jump[0], longest);
    EXPECT_EQ(restarted.Jump[1], "/kept");
}

// A settings file that cannot be written: the folder still works for this run.
TEST(JumpSlotsTest, AnUnwritableSettingsFileIsReported) {
    testing::TempTree folder;
    const std::string ini = folder / "Pelmora.ini";
    CreateDefaultIni(ini);
    std::filesystem::permissions(ini, std::filesystem::perms(0444));
    Settings settings;
    LoadSettings(settings, ini);
    EXPECT_EQ(RegisterJumpFolder(settings, 4, "/srv", ini), JumpRegistration::NotSaved);
    EXPECT_EQ(settings.Jump[3], "/srv");
    EXPECT_EQ(ReadIniString("Pelmora", "Jump04", ini), "");
}

}  // namespace
}  // namespace pelmora
