#include <gtest/gtest.h>

#include "tests/support/temp_tree.h"
#include "tools/choiview/media_play_state.h"
#include "tools/choiview/media_route.h"

namespace pelmora {
namespace {

using L = MediaLoading;
using T = MediaTransport;
using S = MediaPlayState;

TEST(MediaPlayState, LoadingAndStarvationAreWaitingOnlyWhilePlayIsAsked) {
    EXPECT_EQ(PlayStateOf(T::Stopped, L::NoMedia, false), S::Closed);
    EXPECT_EQ(PlayStateOf(T::Playing, L::Invalid, false), S::Closed);
    EXPECT_EQ(PlayStateOf(T::Playing, L::Loading, false), S::Waiting);
    EXPECT_EQ(PlayStateOf(T::Stopped, L::Loading, false), S::Waiting);
    EXPECT_EQ(PlayStateOf(T::Playing, L::Buffering, false), S::Waiting);
    EXPECT_EQ(PlayStateOf(T::Playing, L::Stalled, false), S::Waiting);
    EXPECT_EQ(PlayStateOf(T::Paused, L::Stalled, false), S::Paused);
    EXPECT_EQ(PlayStateOf(T::Stopped, L::Buffering, false), S::Stopped);
    EXPECT_EQ(PlayStateOf(T::Playing, L::Buffered, false), S::Playing);
    EXPECT_EQ(PlayStateOf(T::Playing, L::Loaded, false), S::Playing);
    EXPECT_EQ(PlayStateOf(T::Paused, L::Buffered, false), S::Paused);
    // The last frame shown: stopped, even if the transport has not caught up yet.
    EXPECT_EQ(PlayStateOf(T::Playing, L::EndOfMedia, false), S::Stopped);
    // A file that plays while the engine still says it is loading.
    EXPECT_EQ(PlayStateOf(T::Playing, L::Loading, true), S::Playing);
    EXPECT_EQ(PlayStateOf(T::Paused, L::Loading, true), S::Paused);
    EXPECT_EQ(PlayStateOf(T::Playing, L::Buffering, true), S::Waiting);
    EXPECT_EQ(static_cast<int>(S::Playing), 2);
    EXPECT_EQ(static_cast<int>(S::Closed), 6);
}

TEST(MediaRoute, MidiGroupToTheSynthesiserOtherMediaToTheDecoder) {
    for (const char* ext : {"MIDI", "MID", "RMI"}) EXPECT_EQ(MediaRouteOfExtension(ext), MediaRoute::Synthesiser) << ext;
    for (const char* ext : {"MP3", "WAV", "SND", "AU", "AIF", "AIFC", "AIFF", "MPEG", "MPG", "M1V", "MP2", "MPA",
                            "MPE", "AVI", "WM", "ASF", "WMA", "WMV"})
        EXPECT_EQ(MediaRouteOfExtension(ext), MediaRoute::Decoder) << ext;
    for (const char* ext : {"", "mid", "TXT", "PDF", "OGG"}) EXPECT_EQ(MediaRouteOfExtension(ext), MediaRoute::None) << ext;
}

TEST(MediaRoute, SoundFontFoldersFollowTheDataFolderList) {
    const std::vector<std::string> standard = {
        "/usr/local/share/sounds/sf3", "/usr/local/share/sounds/sf2", "/usr/local/share/soundfonts",
        "/usr/share/sounds/sf3",       "/usr/share/sounds/sf2",       "/usr/share/soundfonts",
    };
    EXPECT_EQ(SoundFontFolders(nullptr), standard);
    EXPECT_EQ(SoundFontFolders(""), standard);
    // Empty members are skipped, a trailing separator does not double a folder.
    EXPECT_EQ(SoundFontFolders("::/opt/data/:"),
              (std::vector<std::string>{"/opt/data/sounds/sf3", "/opt/data/sounds/sf2", "/opt/data/soundfonts"}));
}

TEST(MediaRoute, TheFirstUsableSoundFontIsFound) {
    testing::TempTree tree;
    const std::vector<std::string> folders = {tree / "a", tree / "missing", tree / "b"};
    EXPECT_EQ(FindSoundFont(folders), "");

    // What does not count: another extension, an empty file, a folder, a dangling link.
    tree.AddFile("a/readme.txt", "text");
    tree.AddFile("a/empty.sf2", "");
    tree.AddFolder("a/folder.sf2");
    tree.AddLink("a/default-GM.sf3", tree / "nowhere.sf3");
    EXPECT_EQ(FindSoundFont(folders), "");

    const std::string later = tree.AddFile("b/General.SF2", "RIFF");
    EXPECT_EQ(FindSoundFont(folders), later);
    tree.AddFile("real.sf2", "RIFF");
    const std::string link = tree.AddLink("a/default-GM.sf2", tree / "real.sf2");
    EXPECT_EQ(FindSoundFont(folders), link);
}

}  // namespace
}  // namespace pelmora
