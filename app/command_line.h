#pragma once
// What the program's command line asks for: the window, the listing of the given paths,
// or one of the few options. Paths win: an argument that names an existing file or folder
// is a path even when it begins with "-".

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace pelmora {

// How the program starts the background copy of itself that keeps a result on the clipboard.
inline constexpr std::string_view kKeepClipboardOption = "--keep-clipboard";

enum class CommandLineRequest {
    Window,         // nothing but spaces: the main window
    ListPaths,      // the arguments are paths to list
    Help,           // --help
    Version,        // --version
    UnknownOption,  // an argument beginning with "-" that names nothing
    KeepClipboard,  // the program's own clipboard keeper
};

struct CommandLineChoice {
    CommandLineRequest request = CommandLineRequest::Window;
    std::string offending;  // the unknown option
};

CommandLineChoice ClassifyCommandLine(const std::vector<std::string>& arguments,
                                      const std::function<bool(const std::string&)>& pathExists);

// The texts below are in the user's language once the catalogue is installed.

// The usage text of `pelmora`, ending in a line break.
std::string ProgramUsageText();

// What an unknown option gets on standard error: the complaint, then the usage.
std::string UnknownOptionText(std::string_view option);

// "pelmora VERSION", ending in a line break.
std::string ProgramVersionText();

// False when Qt would find no display for the window: no X11 or Wayland display is named
// and no Qt platform is asked for (an explicit one, "offscreen" for instance, is tried).
bool WindowCanBeShown(const char* display, const char* waylandDisplay, const char* qtPlatform);

// Said on standard error when the window is asked for and no display can show it.
std::string NoDisplayText();

}  // namespace pelmora
