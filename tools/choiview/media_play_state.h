#pragma once
// The media player's play state as the numbers the viewer reads: 2 is playing, and only a
// playing file is paused when the window is minimised. The player engine reports its
// transport and its loading separately; PlayStateOf folds them into one number.

namespace pelmora {

enum class MediaPlayState : int {
    Stopped = 0,
    Paused = 1,
    Playing = 2,
    Waiting = 3,  // opening the file, or waiting for data while asked to play
    ScanForward = 4,
    ScanReverse = 5,
    Closed = 6,  // no file, or the file could not be played
};

// What the transport was last asked to do.
enum class MediaTransport { Stopped, Paused, Playing };

// How far the engine is with the file.
enum class MediaLoading { NoMedia, Loading, Loaded, Stalled, Buffering, Buffered, EndOfMedia, Invalid };

// started: the position has moved from the start. A file whose position moves is past
// loading, whatever the engine last said of it.
MediaPlayState PlayStateOf(MediaTransport transport, MediaLoading loading, bool started);

}  // namespace pelmora
