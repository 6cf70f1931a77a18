#pragma once
// The system's own failure texts (strerror, and with it the system error codes' messages)
// in the program's language, through the C library's message catalogues. Only the messages
// follow the language (and the character set where it could not hold them); numbers, dates
// and the collation the listings depend on stay as they are.

#include "i18n/language_choice.h"

namespace pelmora::platform {

// False when the system has no locale for the language; its texts then stay as they were.
bool UseLanguageForSystemMessages(UiLanguage language);

}  // namespace pelmora::platform
