#include "tools/jump/jump_slots.h"

#include <cstdio>

#include "settings/settings_store.h"
#include "settings/trim_spaces.h"
#include "tools/jump/jump_texts.h"

namespace pelmora {

std::string JumpKeyName(int row) {
    char name[16];
    std::snprintf(name, sizeof name, "Jump%02d", row);
    return name;
}

std::string JumpButtonCaption(const std::string& slot) { return slot.empty() ? jump_texts::kEmptySlot : slot; }

bool JumpSlotIsBlank(const std::string& slot) { return TrimSpaces(slot).empty(); }

bool RegisterJumpFolder(Settings& settings, int row, const std::string& folder, const std::string& iniPath) {
    if (row < 1 || row > kJumpRows) return false;
    settings.Jump[static_cast<std::size_t>(row - 1)] = folder;
    const std::string key = JumpKeyName(row);
    return SaveKeys(settings, {key}, iniPath);
}

}  // namespace pelmora
