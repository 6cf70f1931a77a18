#pragma once
// Which engine plays a media file of the viewer: the MIDI group goes to the software
// synthesiser, every other media extension to the decoder. The synthesiser needs a General
// MIDI sound font; without one a MIDI file would play silent, so the viewer then reports
// that it cannot open it.

#include <string>
#include <string_view>
#include <vector>

namespace pelmora {

enum class MediaRoute {
    None,         // not a media extension
    Decoder,      // sound and video decoders
    Synthesiser,  // MIDI through the synthesiser
};

// The extension in upper case without the dot, as the viewer's kind table names it.
MediaRoute MediaRouteOfExtension(std::string_view extension);

// The folders the synthesiser searches for its sound font, in its order: for each data
// folder of xdgDataDirs (a colon-separated list; null or empty means /usr/local/share and
// /usr/share) its sounds/sf3, sounds/sf2 and soundfonts folders.
std::vector<std::string> SoundFontFolders(const char* xdgDataDirs);

// The first sound font (a non-empty readable .sf2 or .sf3 file, links followed) in those
// folders, names in byte order within a folder; empty when there is none.
std::string FindSoundFont(const std::vector<std::string>& folders);

}  // namespace pelmora
