#include "listing/member_names.h"

#include <unicode/ucnv.h>

namespace pelmora {

bool IsValidUtf8(const std::string& text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t extra;
        if (lead < 0x80) {
            extra = 0;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            extra = 1;
        } else if ((lead & 0xF0) == 0xE0) {
            extra = 2;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            extra = 3;
        } else {
            return false;
        }
        if (extra > text.size() - i - 1) return false;
        for (std::size_t k = 1; k <= extra; ++k) {
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
        }
        i += extra + 1;
    }
    return true;
}

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
