#include "platform/code_pages.h"

#include <unicode/ucnv.h>

namespace pelmora::platform {

namespace {

const char* ConverterName(CodePage page) {
    switch (page) {
        case CodePage::ShiftJis: return "windows-31j";
        case CodePage::EucJp: return "EUC-JP";
        case CodePage::Windows1252: return "windows-1252";
    }
    return "windows-31j";
}

}  // namespace

std::optional<std::string> DecodeCodePage(std::string_view bytes, CodePage page) {
    UErrorCode status = U_ZERO_ERROR;
    std::string decoded(bytes.size() * 3 + 4, '\0');
    const int32_t length = ucnv_convert("UTF-8", ConverterName(page), decoded.data(),
                                        static_cast<int32_t>(decoded.size()), bytes.data(),
                                        static_cast<int32_t>(bytes.size()), &status);
    if (U_FAILURE(status)) return std::nullopt;
    decoded.resize(static_cast<std::size_t>(length));
    // Undefined bytes come out as substitutes.
    if (decoded.find("\xEF\xBF\xBD") != std::string::npos || decoded.find('\x1A') != std::string::npos) {
        return std::nullopt;
    }
    return decoded;
}

}  // namespace pelmora::platform
