#include "listing/archive/member_names.h"

#include <unicode/ucnv.h>

#include "listing/text/utf8_text.h"

namespace pelmora {

std::optional<std::string> MemberNameAsUtf8(const std::string& raw) {
    if (IsValidUtf8(raw)) return raw;
    UErrorCode status = U_ZERO_ERROR;
    std::string decoded(raw.size() * 3 + 4, '\0');
    const int32_t length = ucnv_convert("UTF-8", "windows-31j", decoded.data(), static_cast<int32_t>(decoded.size()),
                                        raw.data(), static_cast<int32_t>(raw.size()), &status);
    if (U_FAILURE(status)) return std::nullopt;
    decoded.resize(static_cast<std::size_t>(length));
    // Bytes that are not Shift_JIS come out as substitutes.
    if (decoded.find("\xEF\xBF\xBD") != std::string::npos || decoded.find('\x1A') != std::string::npos) {
        return std::nullopt;
    }
    return decoded;
}

}  // namespace pelmora
