#include "app/ui/display_platform.h"

namespace pelmora {

namespace {

bool IsSet(const char* value) { return value != nullptr && *value != '\0'; }

}  // namespace

std::string QtPlatformPreference(const char* display, const char* waylandDisplay, const char* requested) {
    if (!IsSet(display) && !IsSet(waylandDisplay)) return {};
    std::string list;
    if (IsSet(requested)) {
        list = requested;
    } else if (IsSet(display)) {
        list = "xcb";
    } else {
        list = "wayland";
    }
    if (list.find("offscreen") == std::string::npos) list += ";offscreen";
    return list;
}

std::string WindowRunPlatformPreference(const char* display, const char* waylandDisplay, const char* requested) {
    if (IsSet(requested) || !IsSet(display)) return {};
    return IsSet(waylandDisplay) ? "xcb;wayland" : "xcb";
}

bool IsDisplayPlatform(std::string_view platformName) {
    // Plugin names may carry options after a colon ("xcb:foo").
    std::string_view name = platformName.substr(0, platformName.find(':'));
    return !name.empty() && name != "offscreen" && name != "minimal" && name != "minimalegl";
}

}  // namespace pelmora
