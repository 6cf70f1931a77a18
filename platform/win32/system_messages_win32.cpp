#include "platform/system_messages.h"

namespace pelmora::platform {

// Windows words its messages in the user's display language by itself.
bool UseLanguageForSystemMessages(UiLanguage) { return false; }

}  // namespace pelmora::platform
