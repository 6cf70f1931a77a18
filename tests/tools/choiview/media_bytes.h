#pragma once
// Small media files made in memory: a sine tone as 16-bit PCM WAV, a few piano notes as a
// standard MIDI file (and the same wrapped as RMI), and an AVI of MJPEG frames, each frame
// one solid colour. GStreamer decodes all of them with the plug-ins install-deps installs.

#include <QBuffer>
#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QList>

#include <cmath>
#include <numbers>

namespace pelmora::testing {

inline void PutLe(QByteArray& out, quint32 value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.append(static_cast<char>(value >> (8 * i) & 0xFF));
}
inline void PutBe(QByteArray& out, quint32 value, int bytes) {
    for (int i = bytes - 1; i >= 0; --i) out.append(static_cast<char>(value >> (8 * i) & 0xFF));
}

inline QByteArray RiffChunk(const char* id, const QByteArray& data) {
    QByteArray chunk(id, 4);
    PutLe(chunk, static_cast<quint32>(data.size()), 4);
    chunk += data;
    if (data.size() % 2 != 0) chunk.append('\0');
    return chunk;
}
inline QByteArray RiffList(const char* form, const char* type, const QByteArray& data) {
    QByteArray list(form, 4);
    PutLe(list, static_cast<quint32>(data.size() + 4), 4);
    return list + QByteArray(type, 4) + data;
}

// A 440 Hz tone, mono, 8000 samples a second.
inline QByteArray WavTone(int milliseconds) {
    constexpr int kRate = 8000;
    QByteArray samples;
    for (int i = 0; i < kRate * milliseconds / 1000; ++i)
        PutLe(samples, static_cast<quint16>(static_cast<qint16>(8000 * std::sin(2 * std::numbers::pi * 440 * i / kRate))), 2);
    QByteArray format;
    PutLe(format, 1, 2);  // PCM
    PutLe(format, 1, 2);  // mono
    PutLe(format, kRate, 4);
    PutLe(format, kRate * 2, 4);
    PutLe(format, 2, 2);
    PutLe(format, 16, 2);
    return RiffList("RIFF", "WAVE", RiffChunk("fmt ", format) + RiffChunk("data", samples));
}

// Piano notes of a quarter second each (96 ticks a quarter note at 120 beats a minute).
inline QByteArray MidiNotes(int notes) {
    QByteArray track;
    auto event = [&track](int delta, std::initializer_list<int> bytes) {
        track.append(static_cast<char>(delta));
        for (int b : bytes) track.append(static_cast<char>(b));
    };
    event(0, {0xC0, 0});  // program: acoustic grand piano
    for (int n = 0; n < notes; ++n) {
        event(0, {0x90, 60 + 4 * (n % 4), 110});
        event(48, {0x80, 60 + 4 * (n % 4), 0});
    }
    event(0, {0xFF, 0x2F, 0});  // end of track
    QByteArray midi("MThd");
    PutBe(midi, 6, 4);
    PutBe(midi, 0, 2);
    PutBe(midi, 1, 2);
    PutBe(midi, 96, 2);
    midi += "MTrk";
    PutBe(midi, static_cast<quint32>(track.size()), 4);
    return midi + track;
}

inline QByteArray RmiOf(const QByteArray& midi) { return RiffList("RIFF", "RMID", RiffChunk("data", midi)); }

// An AVI of MJPEG frames at 25 frames a second; frame i is colours[i % colours.size()].
inline QByteArray MjpegAvi(int frames, QSize size, const QList<QColor>& colours) {
    QByteArray movi, index;
    quint32 offset = 4;
    for (int f = 0; f < frames; ++f) {
        QImage image(size, QImage::Format_RGB32);
        image.fill(colours[f % colours.size()]);
        QByteArray jpeg;
        QBuffer buffer(&jpeg);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "JPG", 90);
        const QByteArray chunk = RiffChunk("00dc", jpeg);
        index += "00dc";
        PutLe(index, 0x10, 4);  // key frame
        PutLe(index, offset, 4);
        PutLe(index, static_cast<quint32>(jpeg.size()), 4);
        offset += static_cast<quint32>(chunk.size());
        movi += chunk;
    }
    const auto w = static_cast<quint32>(size.width()), h = static_cast<quint32>(size.height());
    QByteArray main;  // avih
    for (quint32 v : {40000U, 0U, 0U, 0x10U, static_cast<quint32>(frames), 0U, 1U, 0U, w, h, 0U, 0U, 0U, 0U})
        PutLe(main, v, 4);
    QByteArray stream("vidsMJPG");  // strh
    for (quint32 v : {0U, 0U, 0U, 1U, 25U, 0U, static_cast<quint32>(frames), 0U, 0xFFFFFFFFU, 0U}) PutLe(stream, v, 4);
    PutLe(stream, 0, 4);
    PutLe(stream, w | h << 16, 4);
    QByteArray format;  // strf: BITMAPINFOHEADER
    PutLe(format, 40, 4);
    PutLe(format, w, 4);
    PutLe(format, h, 4);
    PutLe(format, 1, 2);
    PutLe(format, 24, 2);
    format += "MJPG";
    PutLe(format, w * h * 3, 4);
    for (int i = 0; i < 4; ++i) PutLe(format, 0, 4);
    const QByteArray header = RiffList(
        "LIST", "hdrl",
        RiffChunk("avih", main) + RiffList("LIST", "strl", RiffChunk("strh", stream) + RiffChunk("strf", format)));
    return RiffList("RIFF", "AVI ", header + RiffList("LIST", "movi", movi) + RiffChunk("idx1", index));
}

}  // namespace pelmora::testing
