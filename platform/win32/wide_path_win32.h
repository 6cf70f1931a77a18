#pragma once
// The core keeps paths as UTF-8; the wide-character Win32 API takes UTF-16. Every call that
// hands a path to the system converts it here, at the call.
#include <string>
#include <string_view>

namespace pelmora::platform::win32 {

// UTF-8 as UTF-16. Bytes that are not UTF-8 become U+FFFD.
std::wstring WideFromUtf8(std::string_view text);
// UTF-16 as UTF-8. A lone surrogate (Windows allows them in names) is kept as its own
// three-byte sequence (WTF-8), so that the name leads back to the same file.
std::string Utf8FromWide(std::wstring_view text);
// A path for the Win32 file functions: separators made "\", and an absolute path longer
// than MAX_PATH given the "\\?\" prefix (UNC paths as "\\?\UNC\server\share\...").
std::wstring WidePath(std::string_view path);

}  // namespace pelmora::platform::win32
