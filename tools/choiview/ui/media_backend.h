#pragma once
// QtMultimedia plays through GStreamer here: the FFmpeg backend of Qt 6.4 crashes on some
// files. Call before the first multimedia object is made; a backend the user chose with
// QT_MEDIA_BACKEND stays.

namespace pelmora {

void UseGStreamerMediaBackend();

}  // namespace pelmora
