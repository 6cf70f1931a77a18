#include "tools/network/network_tree.h"

#include <charconv>
#include <stdexcept>

#include "tools/network/network_texts.h"

namespace pelmora {

namespace {
constexpr std::string_view kKeyPrefix = "RESIDX:";
}

std::optional<int> NetworkResourceTable::NextRecordSlot() {
    if (lastSlot_ >= kNetworkSlotCount) return std::nullopt;
    return ++lastSlot_;
}

NetworkLevel NetworkResourceTable::EnumerateNetwork(int parentSlot) {
    NetworkLevel level;
    const platform::NetworkResource* parent = parentSlot > 0 ? &Record(parentSlot) : nullptr;
    auto enumeration = discovery_.OpenLevel(parent, level.error);
    if (!enumeration) {
        if (!level.error) level.error = std::make_error_code(std::errc::io_error);
        return level;
    }
    for (;;) {
        const std::optional<int> slot = NextRecordSlot();
        if (!slot) {
            level.tableFull = true;
            return level;
        }
        platform::NetworkResource record;
        if (!enumeration->Next(record, level.error)) return level;  // the end, or the error
        records_[static_cast<std::size_t>(*slot)] = std::move(record);
        level.entries.push_back(*slot);
    }
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
    return text.empty() ? network_texts::kUnknownError : text;
}

}  // namespace pelmora
