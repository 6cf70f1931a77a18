#include "platform/win32/wide_path_win32.h"

#include <windows.h>

#include <cstdint>

namespace pelmora::platform::win32 {

namespace {

// Decodes one UTF-8 sequence at text[i]; surrogate code points (WTF-8) are accepted so that
// a name read from the system converts back to itself. Returns -1 for an invalid sequence.
long DecodeAt(std::string_view text, std::size_t& i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    if (lead < 0x80) {
        ++i;
        return lead;
    }
    int length = 0;
    long value = 0;
    long minimum = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 2, value = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, value = lead & 0x0F, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, value = lead & 0x07, minimum = 0x10000;
    } else {
        ++i;
        return -1;
    }
    if (i + static_cast<std::size_t>(length) > text.size()) {
        ++i;
        return -1;
    }
    for (int k = 1; k < length; ++k) {
        const unsigned char next = byte(i + static_cast<std::size_t>(k));
        if ((next & 0xC0) != 0x80) {
            ++i;
            return -1;
        }
        value = (value << 6) | (next & 0x3F);
    }
    if (value < minimum || value > 0x10FFFF) {
        ++i;
        return -1;
    }
    i += static_cast<std::size_t>(length);
    return value;
}

void AppendUtf8(std::string& out, std::uint32_t value) {
    if (value < 0x80) {
        out += static_cast<char>(value);
    } else if (value < 0x800) {
        out += static_cast<char>(0xC0 | (value >> 6));
        out += static_cast<char>(0x80 | (value & 0x3F));
    } else if (value < 0x10000) {
        out += static_cast<char>(0xE0 | (value >> 12));
        out += static_cast<char>(0x80 | ((value >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (value & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (value >> 18));
        out += static_cast<char>(0x80 | ((value >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((value >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (value & 0x3F));
    }
}

}  // namespace

std::wstring WideFromUtf8(std::string_view text) {
    std::wstring wide;
    wide.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const long value = DecodeAt(text, i);
        if (value < 0) {
            wide += L'\xFFFD';
        } else if (value >= 0x10000) {
            const long v = value - 0x10000;
            wide += static_cast<wchar_t>(0xD800 + (v >> 10));
            wide += static_cast<wchar_t>(0xDC00 + (v & 0x3FF));
        } else {
            wide += static_cast<wchar_t>(value);
        }
    }
    return wide;
}

std::string Utf8FromWide(std::wstring_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto unit = static_cast<std::uint32_t>(text[i]);
        if (unit >= 0xD800 && unit < 0xDC00 && i + 1 < text.size()) {
            const auto low = static_cast<std::uint32_t>(text[i + 1]);
            if (low >= 0xDC00 && low < 0xE000) {
                AppendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
                ++i;
                continue;
            }
        }
        AppendUtf8(out, unit);  // a lone surrogate too: WTF-8
    }
    return out;
}

std::wstring WidePath(std::string_view path) {
    std::wstring wide = WideFromUtf8(path);
    for (wchar_t& c : wide) {
        if (c == L'/') c = L'\\';
    }
    if (wide.size() < MAX_PATH || wide.starts_with(L"\\\\?\\")) {
        return wide;
    }
    if (wide.starts_with(L"\\\\")) {
        return L"\\\\?\\UNC\\" + wide.substr(2);
    }
    if (wide.size() >= 3 && wide[1] == L':' && wide[2] == L'\\') {
        return L"\\\\?\\" + wide;
    }
    return wide;  // a relative path cannot take the prefix
}

}  // namespace pelmora::platform::win32
