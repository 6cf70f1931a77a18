#pragma once
// Failure texts of the libraries the program uses that come without a translation of their
// own, English as the libraries give them: the SMB failures the program names itself (no
// system error number tells them apart) and Avahi's error texts. The C library's own texts
// (strerror) come translated through its message catalogues instead.

#include <string>

#include "i18n/ui_text.h"

namespace pelmora {

inline constexpr UiText kNoSuchShareText = PELMORA_UI_TEXT("LibraryErrors", "no such share");
inline constexpr UiText kHostNotFoundText = PELMORA_UI_TEXT("LibraryErrors", "host not found");
inline constexpr UiText kUnknownSmbFailureText = PELMORA_UI_TEXT("LibraryErrors", "unknown SMB failure");

// A library's own English text in the user's language, where the catalogue has it.
std::string LibraryErrorText(const char* english);

}  // namespace pelmora
