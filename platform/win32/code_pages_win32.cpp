#include "platform/code_pages.h"

#include <windows.h>

#include <climits>

#include "platform/win32/wide_path_win32.h"

namespace pelmora::platform {

namespace {

UINT CodePageNumber(CodePage page) {
    switch (page) {
        case CodePage::ShiftJis: return 932;
        case CodePage::EucJp: return 20932;
        case CodePage::Windows1252: return 1252;
    }
    return 932;
}

}  // namespace

std::optional<std::string> DecodeCodePage(std::string_view bytes, CodePage page) {
    if (bytes.empty()) return std::string();
    if (bytes.size() > INT_MAX / 2) return std::nullopt;
    const UINT number = CodePageNumber(page);
    const int size = static_cast<int>(bytes.size());
    const int needed = MultiByteToWideChar(number, MB_ERR_INVALID_CHARS, bytes.data(), size, nullptr, 0);
    if (needed <= 0) return std::nullopt;
    std::wstring wide(static_cast<std::size_t>(needed), L'\0');
    if (MultiByteToWideChar(number, MB_ERR_INVALID_CHARS, bytes.data(), size, wide.data(), needed) != needed)
        return std::nullopt;
    // Some code pages map bytes they leave undefined to substitutes instead of refusing them.
    if (wide.find_first_of(L"\xFFFD\x1A") != std::wstring::npos) return std::nullopt;
    return win32::Utf8FromWide(wide);
}

}  // namespace pelmora::platform
