#pragma once
// LoadPluginPicture without the window: chooses the plug-in by the path's extension, lets it
// decode the file in the helper program pelmora-plugin-host (beside this program), and
// checks and converts the bitmap it returns. The window paints the pixels into Picture1.

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "platform/isolated_call.h"
#include "tools/choiview/dib_picture.h"
#include "tools/choiview/plugin_folders.h"
#include "tools/choiview/viewer_file_bytes.h"

namespace pelmora {

namespace plugin_code {
inline constexpr int kSuccess = 0;
inline constexpr int kNoPlugin = 9;       // no plug-in for this extension
inline constexpr int kNoBlock = 10;       // a zero handle, or blocks the header does not fit
inline constexpr int kPaintFailed = 11;   // a bitmap that cannot be painted
inline constexpr int kFileUnreadable = 12; // the file could not be read to hand it over
}  // namespace plugin_code

// The helper program that runs a plug-in: pelmora-plugin-host LIBRARY FILE.
inline constexpr const char* kPluginHostProgram = "pelmora-plugin-host";

// A decoded picture, its pixels kept where the helper program left them (no copy is made).
struct SharedRgbPicture {
    int width = 0;
    int height = 0;
    // Holds at least width * height pixels, 0xffRRGGBB, top row first; null when empty.
    std::shared_ptr<const platform::SharedAnswerBytes> pixels;

    std::span<const std::uint32_t> Pixels() const;
};

struct PluginPicture {
    // 0, 9, 10, 11, 12, or the non-zero code GetPicture returned.
    int code = plugin_code::kSuccess;
    // Set when the plug-in library could not be used (missing, not loadable, no GetPicture):
    // the message to show. code is then meaningless.
    std::optional<std::string> failureMessage;
    // The picture when code is 0 (and only then).
    SharedRgbPicture picture;
};

// The helper program is waited for by `run`, the private copy of a share's file by `read`
// (given up: code 12, as for a file that cannot be read).
PluginPicture LoadPluginPicture(const std::string& path, const PluginFolders& where,
                                const platform::IsolatedRunner& run = platform::WaitForIsolated,
                                const FileReadWait& read = ReadOnThisThread);

}  // namespace pelmora
