#include "listing/archive/member_names.h"

#include "listing/text/utf8_text.h"
#include "platform/code_pages.h"

namespace pelmora {

std::optional<std::string> MemberNameAsUtf8(const std::string& raw) {
    if (IsValidUtf8(raw)) return raw;
    return platform::DecodeCodePage(raw, platform::CodePage::ShiftJis);
}

}  // namespace pelmora
