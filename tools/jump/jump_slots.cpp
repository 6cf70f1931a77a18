#include "tools/jump/jump_slots.h"

#include <cstdio>

#include "i18n/translation.h"
#include "platform/profile_file.h"
#include "settings/settings_store.h"
#include "settings/trim_spaces.h"
#include "tools/jump/jump_texts.h"

namespace pelmora {

std::string JumpKeyName(int row) {
    char name[16];
    std::snprintf(name, sizeof name, "Jump%02d", row);
    return name;
}

std::string JumpButtonCaption(const std::string& slot) { return slot.empty() ? Translated(jump_texts::kEmptySlot) : slot; }

bool JumpSlotIsBlank(const std::string& slot) { return TrimSpaces(slot).empty(); }

JumpRegistration RegisterJumpFolder(Settings& settings, int row, const std::string& folder,
                                    const std::string& iniPath) {
    if (row < 1 || row > kJumpRows) return JumpRegistration::NotSaved;
    // The value is stored quoted where it would lose its ends, so what a reader gets back
    // is the folder itself, as far as the read limit goes.
    if (folder.size() > platform::kMaxProfileValue) return JumpRegistration::PathTooLong;
    settings.Jump[static_cast<std::size_t>(row - 1)] = folder;
    const std::string key = JumpKeyName(row);
    return SaveKeys(settings, {key}, iniPath) ? JumpRegistration::Registered : JumpRegistration::NotSaved;
}

}  // namespace pelmora
