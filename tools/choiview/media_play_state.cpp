#include "tools/choiview/media_play_state.h"

namespace pelmora {

MediaPlayState PlayStateOf(MediaTransport transport, MediaLoading loading, bool started) {
    if (loading == MediaLoading::Loading && started) loading = MediaLoading::Loaded;
    switch (loading) {
        case MediaLoading::NoMedia:
        case MediaLoading::Invalid:
            return MediaPlayState::Closed;
        case MediaLoading::Loading:
            return MediaPlayState::Waiting;
        case MediaLoading::Stalled:
        case MediaLoading::Buffering:
            // Starved while playing: the engine waits for data; paused or stopped it does not.
            if (transport == MediaTransport::Playing) return MediaPlayState::Waiting;
            break;
        case MediaLoading::Loaded:
        case MediaLoading::Buffered:
        case MediaLoading::EndOfMedia:
            break;
    }
    switch (transport) {
        case MediaTransport::Playing:
            // The engine may still report playing for a moment after the last frame.
            return loading == MediaLoading::EndOfMedia ? MediaPlayState::Stopped : MediaPlayState::Playing;
        case MediaTransport::Paused:
            return MediaPlayState::Paused;
        case MediaTransport::Stopped:
            return MediaPlayState::Stopped;
    }
    return MediaPlayState::Stopped;
}

}  // namespace pelmora
