// ChoiView's media player: the time from the follow call (a click in the file list) to the
// first video frame at the display (aim < 1 s), and the resident memory while clicking
// through 200 files of mixed kinds (text, BMP, WAV, MIDI, AVI), which must not keep growing.
// Each media file is waited for until it plays. Runs offscreen unless told otherwise.

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QMediaPlayer>
#include <QTemporaryDir>
#include <QVideoFrame>
#include <QVideoSink>
#include <malloc.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/choi_view_bench_support.h"
#include "settings/settings_record.h"
#include "tests/tools/choiview/media_bytes.h"
#include "tools/choiview/ui/choi_view_window.h"
#include "tools/choiview/ui/media_player_pane.h"
#include "tools/choiview/ui/video_frame_view.h"

using pelmora::bench::NoDialogs;
using pelmora::bench::RunEventsFor;
using pelmora::bench::RunEventsUntil;
using pelmora::bench::StatusKiB;
using pelmora::bench::WriteBenchFile;

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    QTemporaryDir dir;
    if (!dir.isValid()) return 1;

    using pelmora::testing::MjpegAvi;
    const QList<QColor> colours = {Qt::red, Qt::green, Qt::blue, Qt::yellow};
    const std::string videos[2] = {WriteBenchFile(dir, "a.avi", MjpegAvi(50, QSize(640, 480), colours)),
                                   WriteBenchFile(dir, "b.avi", MjpegAvi(50, QSize(640, 480), colours))};
    QImage picture(800, 600, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    picture.save(dir.filePath(QStringLiteral("p.bmp")), "BMP");
    const std::vector<std::string> mixed = {
        WriteBenchFile(dir, "t.txt", QByteArray("ChoiView 吾輩は猫である。\r\n").repeated(2000)),
        dir.filePath(QStringLiteral("p.bmp")).toStdString(),
        WriteBenchFile(dir, "s.wav", pelmora::testing::WavTone(3000)),
        WriteBenchFile(dir, "m.mid", pelmora::testing::MidiNotes(8)),
        videos[0],
    };

    pelmora::Settings settings;
    settings.CV_txt = settings.CV_bmp = settings.CV_wav = settings.CV_mid = settings.CV_avi = "1";
    NoDialogs dialogs;
    pelmora::ChoiViewWindow window(settings, dir.filePath("Pelmora.ini").toStdString(), dialogs);
    window.OpenAtPlacement();
    QApplication::processEvents();
    auto* pane = window.findChild<pelmora::MediaPlayerPane*>("MediaPlayer1");

    // Time from the follow call to the first frame; before it, previous is shown (if any).
    auto firstFrame = [&](const std::string& video, const std::string* previous) {
        if (previous != nullptr) {
            window.FollowPath(*previous);
            RunEventsFor(100);
        }
        int frames = 0;
        QElapsedTimer timer;
        timer.start();
        window.FollowPath(video);
        QObject receiver;
        QObject::connect(pane->Video()->videoSink(), &QVideoSink::videoFrameChanged, &receiver,
                         [&](const QVideoFrame& frame) { frames += frame.isValid() ? 1 : 0; });
        if (!RunEventsUntil([&] { return frames > 0; }, 5000)) {
            std::printf("no video frame within 5 s\n");
            std::exit(1);
        }
        return static_cast<double>(timer.nsecsElapsed()) / 1e6;
    };
    auto report = [](const char* what, std::vector<double> times) {
        std::sort(times.begin(), times.end());
        std::printf("%-44s min %7.1f ms   median %7.1f ms   max %7.1f ms   (%zu runs)\n", what, times.front(),
                    times[times.size() / 2], times.back(), times.size());
    };
    std::printf("ChoiView media player, follow call to first video frame (640 x 480 MJPEG AVI)\n");
    // The first file also starts the engine.
    std::printf("%-44s %7.1f ms\n", "first file (engine start)", firstFrame(videos[0], nullptr));
    std::vector<double> afterText, afterVideo;
    for (int run = 0; run < 10; ++run) afterText.push_back(firstFrame(videos[run % 2], &mixed[0]));
    for (int run = 0; run < 10; ++run) {
        RunEventsFor(100);
        afterVideo.push_back(firstFrame(videos[run % 2], nullptr));
    }
    report("after a text file", afterText);
    report("while another video plays", afterVideo);

    std::printf("\nresident memory clicking through text, BMP, WAV, MIDI, AVI in turn\n");
    const int clicks = argc > 1 ? std::atoi(argv[1]) : 200;
    for (int click = 1; click <= clicks; ++click) {
        const std::string& path = mixed[static_cast<std::size_t>(click - 1) % mixed.size()];
        window.FollowPath(path);
        if (pane->isVisible() && !RunEventsUntil([&] { return pane->PlayState() == pelmora::MediaPlayState::Playing; }, 5000))
            std::printf("click %d: %s did not start playing (state %d, engine status %d, position %lld)\n", click,
                        path.c_str(), static_cast<int>(pane->PlayState()), static_cast<int>(pane->Player()->mediaStatus()),
                        static_cast<long long>(pane->Player()->position()));
        QApplication::processEvents();
        if (click == 10 || click == 50 || click == 100 || click % 100 == 50 || click % 100 == 0)
        {
            const long resident = StatusKiB("VmRSS:");
            // What the allocator keeps for reuse, handed back: the rest is in use.
            malloc_trim(0);
            std::printf("after %3d files: %7ld KiB   (%7ld KiB after malloc_trim)\n", click, resident, StatusKiB("VmRSS:"));
        }
    }
    return 0;
}
