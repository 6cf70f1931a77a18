#include "tools/network/network_tree.h"

#include <charconv>
#include <stdexcept>

#include "i18n/translation.h"
#include "tools/network/network_texts.h"

namespace pelmora {

namespace {
constexpr std::string_view kKeyPrefix = "RESIDX:";
}

std::optional<int> NetworkResourceTable::NextRecordSlot() {
    if (lastSlot_ >= kNetworkSlotCount) return std::nullopt;
    return ++lastSlot_;
}

NetworkLevelRead ReadNetworkLevel(platform::NetworkDiscovery& discovery, const platform::NetworkResource* parent,
                                  int freeSlots) {
    NetworkLevelRead read;
    if (freeSlots <= 0) {
        read.outOfSlots = true;
        return read;
    }
    auto enumeration = discovery.OpenLevel(parent, read.error);
    if (!enumeration) {
        if (!read.error) read.error = std::make_error_code(std::errc::io_error);
        return read;
    }
    read.opened = true;
    for (;;) {
        if (static_cast<int>(read.entries.size()) >= freeSlots) {
            read.outOfSlots = true;
            return read;
        }
        platform::NetworkResource record;
        if (!enumeration->Next(record, read.error)) return read;  // the end, or the error
        read.entries.push_back(std::move(record));
    }
}

NetworkLevel NetworkResourceTable::EnumerateNetwork(int parentSlot) {
    std::optional<platform::NetworkResource> parent;
    if (parentSlot > 0) parent = Record(parentSlot);
    return Take(ReadNetworkLevel(discovery_, parent ? &*parent : nullptr, FreeSlots()));
}

NetworkLevel NetworkResourceTable::Take(NetworkLevelRead read) {
    NetworkLevel level;
    level.error = read.error;
    if (!read.opened && !read.outOfSlots) return level;
    for (platform::NetworkResource& record : read.entries) {
        // Slots handed out by hand while the level was read may have used the last ones.
        const std::optional<int> slot = NextRecordSlot();
        if (!slot) {
            level.tableFull = true;
            return level;
        }
        records_[static_cast<std::size_t>(*slot)] = std::move(record);
        level.entries.push_back(*slot);
    }
    // The request that ended the level took a slot too.
    if (read.outOfSlots || !NextRecordSlot()) level.tableFull = true;
    return level;
}

std::optional<int> NetworkResourceTable::Add(platform::NetworkResource record) {
    const std::optional<int> slot = NextRecordSlot();
    if (slot) records_[static_cast<std::size_t>(*slot)] = std::move(record);
    return slot;
}

const platform::NetworkResource& NetworkResourceTable::Record(int slot) const {
    if (slot < 1 || slot > lastSlot_) throw std::out_of_range("no network record in slot " + std::to_string(slot));
    return records_[static_cast<std::size_t>(slot)];
}

std::string NetworkNodeKey(int slot) { return std::string(kKeyPrefix) + std::to_string(slot); }

std::optional<int> SlotOfNetworkNodeKey(std::string_view key) {
    if (!key.starts_with(kKeyPrefix)) return std::nullopt;
    const std::string_view digits = key.substr(kKeyPrefix.size());
    int slot = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), slot);
    if (error != std::errc() || end != digits.data() + digits.size() || digits.empty()) return std::nullopt;
    return slot;
}

bool OpensInMainWindow(std::string_view nodeText) {
    // "//", one character or more, "/", one character or more; the * of the wildcard may
    // hold further separators.
    if (!nodeText.starts_with("//")) return false;
    for (std::size_t at = 3; at + 1 < nodeText.size(); ++at) {
        if (nodeText[at] == '/') return true;
    }
    return false;
}

std::string NetworkErrorText(const std::error_code& error) {
    std::string text = error.message();
    return text.empty() ? Translated(network_texts::kUnknownError) : text;
}

}  // namespace pelmora
