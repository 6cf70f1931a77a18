#include "platform/system_messages.h"

#include <clocale>
#include <string_view>

namespace pelmora::platform {

bool UseLanguageForSystemMessages(UiLanguage language) {
    if (language == UiLanguage::English) return std::setlocale(LC_MESSAGES, "C") != nullptr;
    bool set = false;
    for (const char* name : {"ja_JP.UTF-8", "ja_JP.utf8"}) {
        if (std::setlocale(LC_MESSAGES, name) != nullptr) {
            set = true;
            break;
        }
    }
    if (!set) return false;
    // The C library converts its messages to the character set of LC_CTYPE: ASCII would
    // turn every Japanese character into "?".
    const char* ctype = std::setlocale(LC_CTYPE, nullptr);
    const std::string_view current = ctype != nullptr ? ctype : "C";
    if (current == "C" || current == "POSIX") std::setlocale(LC_CTYPE, "C.UTF-8");
    return true;
}

}  // namespace pelmora::platform
