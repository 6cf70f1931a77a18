#pragma once
// The ten folder bookmarks of the Jump window: rows 1 to 10, kept in the record's Jump
// slots and in the keys Jump01 to Jump10.

#include <string>

#include "settings/settings_record.h"

namespace pelmora {

inline constexpr int kJumpRows = 10;

// "Jump01" for row 1, ..., "Jump10".
std::string JumpKeyName(int row);

// What a row's jump button shows: the slot, or "無し" for an empty one (spaces show as they are).
std::string JumpButtonCaption(const std::string& slot);

// A slot of nothing but spaces leads nowhere.
bool JumpSlotIsBlank(const std::string& slot);

enum class JumpRegistration {
    Registered,
    PathTooLong,  // refused: read back after a restart it would be cut short
    NotSaved,     // in the slot for this run, but the settings file was not written
};

// Stores the folder in the row's slot and writes its key at once, in one locked write.
// A folder longer than a settings value can hold is refused, slot and file unchanged, so
// that no bookmark is kept that would lead nowhere after a restart.
JumpRegistration RegisterJumpFolder(Settings& settings, int row, const std::string& folder,
                                    const std::string& iniPath);

}  // namespace pelmora
