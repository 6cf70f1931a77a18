#include "tools/aclview/acl_text.h"

#include "i18n/translation.h"
#include "listing/text/utf8_text.h"
#include "tools/aclview/aclview_texts.h"

namespace pelmora {
namespace {

bool HasAll(std::uint32_t mask, std::uint32_t group) { return (mask & group) == group; }

// A valid UTF-8 sequence is one character; a stray byte counts as one too.
std::size_t CharacterLength(const std::string& text, std::size_t i) {
    const std::size_t length = Utf8SequenceLength(text, i);
    return length == 0 ? 1 : length;
}

}  // namespace

std::string AccessMaskText(std::uint32_t mask) {
    using namespace platform;
    namespace t = aclview_texts;
    if (HasAll(mask, kMaskFileAllAccess)) return t::kAll;
    std::string text;
    if (HasAll(mask, kMaskFileGenericRead)) text += t::kRead;
    if (HasAll(mask, kMaskFileGenericWrite)) text += t::kWrite;
    if (HasAll(mask, kMaskFileGenericExecute)) text += t::kExecute;
    if (mask & kMaskDelete) text += t::kDelete;
    if (mask & kMaskWriteDac) text += t::kWriteDac;
    if (mask & kMaskWriteOwner) text += t::kWriteOwner;
    return text;
}

std::string AceRightsText(platform::AccessEntryType type, std::uint32_t mask) {
    if (type == platform::AccessEntryType::Denied) return Translated(aclview_texts::kDenied);
    return AccessMaskText(mask);
}

std::string AccountNameColumn(const std::string& name, std::size_t width) {
    std::size_t characters = 0;
    std::size_t i = 0;
    while (i < name.size() && characters < width) {
        i += CharacterLength(name, i);
        ++characters;
    }
    std::string column = name.substr(0, i);
    column.append(width - characters, ' ');
    return column;
}

std::vector<std::string> AclLines(const std::string& path, const platform::SecurityService& security) {
    if (!security.KeepsPerFilePermissions(path)) return {Translated(aclview_texts::kNoPermissionVolume)};
    std::vector<platform::AccessEntry> entries;
    if (!security.ReadAccessEntries(path, entries)) return {Translated(aclview_texts::kReadFailed)};
    std::vector<std::string> lines;
    lines.reserve(entries.size());
    for (const platform::AccessEntry& entry : entries) {
        std::string rights = AceRightsText(entry.type, entry.mask);
        if (rights.empty()) rights = Translated(aclview_texts::kSpecialRights);
        lines.push_back(AccountNameColumn(entry.account) + rights);
    }
    return lines;
}

std::string AclPathLabelText(const std::string& path) {
    return std::string(aclview_texts::kPathLabelStart) + path + aclview_texts::kPathLabelEnd;
}

}  // namespace pelmora
