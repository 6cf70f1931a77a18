#include <QAudioDecoder>
#include <QAudioOutput>
#include <QLabel>
#include <QMediaPlayer>
#include <QPushButton>
#include <QSignalSpy>
#include <QSlider>
#include <QTest>
#include <QVideoFrame>
#include <QVideoSink>

#include <algorithm>
#include <cstdlib>

#include "listing/engine/job_context.h"
#include "tests/tools/choiview/media_bytes.h"
#include "tests/tools/common/ui/tool_window_fixture.h"
#include "tools/choiview/ui/choi_view_names.h"
#include "tools/choiview/ui/choi_view_window.h"
#include "tools/choiview/ui/media_backend.h"
#include "tools/choiview/ui/media_player_pane.h"
#include "tools/choiview/ui/video_frame_view.h"
#include "tools/choiview/viewer_layout.h"
#include "tests/support/fake_job_context.h"

namespace pelmora {

namespace names = choi_view_names;
using testing::MidiNotes;
using testing::MjpegAvi;
using testing::WavTone;

// Records the messages; every question is answered no.
using RecordedDialogs = testing::FakeDialogs;

constexpr int kWait = 10000;  // ms; the engine starts in well under a second
constexpr const char* kOpenFailed = "ファイルオープンに失敗しました";

class MediaPlayerTest : public QObject {
    Q_OBJECT

private:
    testing::ToolWindowFolder folder_;
    const std::string ini_ = folder_.ini;
    Settings settings_;
    RecordedDialogs dialogs_;

    static MediaPlayerPane& Pane(const ChoiViewWindow& w) {
        return *w.findChild<MediaPlayerPane*>(names::kMediaPlayer);
    }
    static int State(const ChoiViewWindow& w) { return static_cast<int>(Pane(w).PlayState()); }
    static qint64 Position(const ChoiViewWindow& w) { return Pane(w).Player()->position(); }
    template <typename T>
    static T* Control(const ChoiViewWindow& w, const char* name) {
        return Pane(w).findChild<T*>(name);
    }
    // Lets queued events run for a while, for checks that something does NOT happen.
    static void RunEventsFor(int ms) {
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < ms) QTest::qWait(20);
    }

private slots:
    void initTestCase() {
        settings_.CV_wav = settings_.CV_mid = settings_.CV_avi = settings_.CV_mpg = settings_.CV_txt = settings_.CV_bmp = "1";
    }
    void init() { dialogs_.messages.clear(); }

    void videoFramesReachTheSinkInsideTheContentArea() {
        ChoiViewWindow w(settings_, ini_, dialogs_);
        w.OpenAtPlacement();
        // Nothing of the engine exists before the first media file.
        w.ShowInViewer(folder_.WriteFile("note.txt", "text"));
        QVERIFY(Pane(w).Player() == nullptr && Pane(w).Video() == nullptr);

        const std::string avi = folder_.WriteFile("clip.avi", MjpegAvi(25, QSize(64, 48), {Qt::red, Qt::blue}));
        w.ShowInViewer(avi);
        QVERIFY(Pane(w).Video() != nullptr);
        QColor first;
        QSize frameSize;
        QObject receiver;
        connect(Pane(w).Video()->videoSink(), &QVideoSink::videoFrameChanged, &receiver, [&](const QVideoFrame& frame) {
            if (first.isValid() || !frame.isValid()) return;
            const QImage image = frame.toImage();
            frameSize = frame.size();
            first = image.pixelColor(image.width() / 2, image.height() / 2);
        });
        QTRY_VERIFY_WITH_TIMEOUT(first.isValid(), kWait);
        QCOMPARE(frameSize, QSize(64, 48));
        QVERIFY2(first.red() > 200 && first.green() < 60 && first.blue() < 60, qPrintable(first.name()));
        QTRY_COMPARE_WITH_TIMEOUT(State(w), 2, kWait);

        QVERIFY(!Pane(w).isHidden() && Pane(w).Video()->isVisible());
        QVERIFY(w.findChild<QWidget*>(names::kText)->isHidden() && w.findChild<QWidget*>(names::kPicture)->isHidden());
        QCOMPARE(w.windowTitle(), "[" + QString::fromStdString(avi) + "]");
        const double dpi = w.logicalDpiX();
        const TwipsRect area = ViewerContentArea(w.SizeInTwips());
        QCOMPARE(Pane(w).geometry(), QRect(TwipsToPixels(area.left, dpi), TwipsToPixels(area.top, dpi),
                                           TwipsToPixels(area.width, dpi), TwipsToPixels(area.height, dpi)));
        // The frame is drawn in the view itself, its aspect kept: wider than 4:3, the view has
        // black bands left and right.
        VideoFrameView& view = *Pane(w).Video();
        QVERIFY(view.width() * 3 > view.height() * 4 + 8);
        const QImage drawn = view.grab().toImage();
        const QColor middle = drawn.pixelColor(drawn.width() / 2, drawn.height() / 2);
        QVERIFY2(middle.red() > 200 || middle.blue() > 200, qPrintable(middle.name()));
        QCOMPARE(drawn.pixelColor(1, drawn.height() / 2), QColor(Qt::black));
        QVERIFY(Pane(w).Video()->geometry().bottom() < Control<QSlider>(w, names::kMediaPosition)->geometry().top());
        // One second of video plays to its end.
        QTRY_COMPARE_WITH_TIMEOUT(State(w), 0, kWait);
        QVERIFY(dialogs_.messages.empty());
    }

    void soundPlaysPausesAndStopsWithTheControls() {
        ChoiViewWindow w(settings_, ini_, dialogs_);
        w.OpenAtPlacement();
        w.ShowInViewer(folder_.WriteFile("tone.wav", WavTone(4000)));
        QTRY_VERIFY_WITH_TIMEOUT(Position(w) > 300, kWait);
        QCOMPARE(State(w), 2);
        QCOMPARE(Pane(w).Player()->duration(), 4000);
        QTRY_VERIFY(Control<QSlider>(w, names::kMediaPosition)->value() > 0);
        QCOMPARE(Control<QSlider>(w, names::kMediaPosition)->maximum(), 4000);
        QVERIFY(Control<QLabel>(w, names::kMediaTime)->text().endsWith(QStringLiteral("/ 0:04")));
        QVERIFY(!Control<QPushButton>(w, names::kMediaPlay)->isEnabled());

        Control<QPushButton>(w, names::kMediaPause)->click();
        QTRY_COMPARE(State(w), 1);
        const qint64 paused = Position(w);
        RunEventsFor(300);
        QVERIFY(Position(w) - paused < 100);
        Control<QPushButton>(w, names::kMediaPlay)->click();
        QTRY_COMPARE(State(w), 2);
        QTRY_VERIFY_WITH_TIMEOUT(Position(w) > paused + 200, kWait);
        Control<QPushButton>(w, names::kMediaStop)->click();
        QTRY_COMPARE(State(w), 0);
        QTRY_COMPARE(Position(w), 0);

        Control<QSlider>(w, names::kMediaVolume)->setValue(25);
        QCOMPARE(Pane(w).Player()->audioOutput()->volume(), 0.25F);
        QVERIFY(dialogs_.messages.empty());
    }

    void midiSoundsThroughTheSynthesiser() {
        const QByteArray midi = MidiNotes(8);
        const std::string mid = folder_.WriteFile("tune.mid", midi);
        const std::string rmi = folder_.WriteFile("tune.rmi", testing::RmiOf(midi));
        ChoiViewWindow w(settings_, ini_, dialogs_);
        w.OpenAtPlacement();
        for (const std::string& path : {mid, rmi}) {
            w.ShowInViewer(path);
            QTRY_VERIFY_WITH_TIMEOUT(Position(w) > 300, kWait);
            QCOMPARE(State(w), 2);
            QCOMPARE(Pane(w).Player()->duration(), 2000);
        }

        // The same GStreamer decoding (FluidSynth with the system's sound font), read back.
        UseGStreamerMediaBackend();
        QAudioDecoder decoder;
        decoder.setSource(QUrl::fromLocalFile(QString::fromStdString(mid)));
        double peak = 0;
        qint64 frames = 0;
        bool done = false;
        connect(&decoder, &QAudioDecoder::bufferReady, &decoder, [&] {
            const QAudioBuffer buffer = decoder.read();
            frames += buffer.frameCount();
            for (int i = 0; i < buffer.sampleCount(); ++i) {
                if (buffer.format().sampleFormat() == QAudioFormat::Float)
                    peak = std::max(peak, static_cast<double>(std::abs(buffer.constData<float>()[i])));
                else if (buffer.format().sampleFormat() == QAudioFormat::Int16)
                    peak = std::max(peak, std::abs(buffer.constData<qint16>()[i]) / 32768.0);
            }
        });
        connect(&decoder, &QAudioDecoder::finished, &decoder, [&] { done = true; });
        connect(&decoder, qOverload<QAudioDecoder::Error>(&QAudioDecoder::error), &decoder, [&] { done = true; });
        decoder.start();
        QTRY_VERIFY_WITH_TIMEOUT(done, kWait);
        QCOMPARE(decoder.error(), QAudioDecoder::NoError);
        QVERIFY2(frames > 0 && peak > 0.01, qPrintable(QStringLiteral("%1 frames, peak %2").arg(frames).arg(peak)));
        QVERIFY(dialogs_.messages.empty());
    }

    void minimisePausesOnlyWithTheSettingAndRestoreDoesNotResume() {
        const std::string wav = folder_.WriteFile("long.wav", WavTone(5000));
        for (const char* flag : {"0", "1"}) {
            settings_.CV_MPlayMinPause = flag;
            ChoiViewWindow w(settings_, ini_, dialogs_);
            w.OpenAtPlacement();
            w.ShowInViewer(wav);
            QTRY_COMPARE_WITH_TIMEOUT(State(w), 2, kWait);
            w.showMinimized();
            QVERIFY(w.isMinimized());
            RunEventsFor(200);
            if (std::string(flag) == "0") {
                QCOMPARE(State(w), 2);
                continue;
            }
            QCOMPARE(State(w), 1);
            w.showNormal();
            RunEventsFor(200);
            QCOMPARE(State(w), 1);
        }
        settings_.CV_MPlayMinPause = "0";
    }

    void everyResetAndTheCloseLetGoOfTheFile() {
        const std::string wav = folder_.WriteFile("reset.wav", WavTone(3000));
        ChoiViewWindow w(settings_, ini_, dialogs_);
        w.OpenAtPlacement();
        w.ShowInViewer(wav);
        QTRY_COMPARE_WITH_TIMEOUT(State(w), 2, kWait);
        w.ShowInViewer(folder_.WriteFile("other.txt", "text"));
        QVERIFY(Pane(w).isHidden() && Pane(w).FileName().isEmpty());
        QCOMPARE(State(w), 6);
        QVERIFY(Pane(w).Player() == nullptr);

        w.ShowInViewer(wav);
        QTRY_COMPARE_WITH_TIMEOUT(State(w), 2, kWait);
        QMediaPlayer* player = Pane(w).Player();
        QSignalSpy stopped(player, &QMediaPlayer::playbackStateChanged);
        w.close();
        QCOMPARE(stopped.size(), 1);
        QCOMPARE(stopped[0][0].value<QMediaPlayer::PlaybackState>(), QMediaPlayer::StoppedState);
        QVERIFY(Pane(w).Player() == nullptr && Pane(w).FileName().isEmpty());
        QVERIFY(dialogs_.messages.empty());
    }

    void undecodableAndDamagedFilesAreReportedAfterTheViewerWasCleared() {
        const QByteArray avi = MjpegAvi(25, QSize(64, 48), {Qt::green});
        const std::string garbage = folder_.WriteFile("noise.mp3", QByteArray(3000, 'x'));
        const std::string headOnly = folder_.WriteFile("head.avi", avi.left(200));
        const std::string cut = folder_.WriteFile("cut.avi", avi.left(avi.size() / 3));
        const std::string wav = folder_.WriteFile("after.wav", WavTone(2000));
        ChoiViewWindow w(settings_, ini_, dialogs_);
        w.OpenAtPlacement();

        for (const std::string& path : {garbage, headOnly}) {
            dialogs_.messages.clear();
            w.ShowInViewer(path);
            QTRY_COMPARE_WITH_TIMEOUT(dialogs_.messages.size(), std::size_t{1}, kWait);
            QCOMPARE(QString::fromStdString(dialogs_.messages[0]), QString::fromUtf8(kOpenFailed));
            QCOMPARE(State(w), 6);
            QVERIFY(Pane(w).Player() == nullptr);
            RunEventsFor(100);
            QCOMPARE(dialogs_.messages.size(), std::size_t{1});  // reported once
        }

        // A video cut short plays what it has, or is reported; either way the viewer lives on.
        dialogs_.messages.clear();
        w.ShowInViewer(cut);
        QTRY_VERIFY_WITH_TIMEOUT(State(w) == 0 || State(w) == 6, kWait);
        QVERIFY(dialogs_.messages.size() <= 1);
        w.ShowInViewer(wav);
        QTRY_VERIFY_WITH_TIMEOUT(Position(w) > 200, kWait);

        // Missing files, MIDI without a sound font and a damaged picture are known at once.
        // The viewer was cleared before the file was tried: the sound has stopped, the
        // caption still names it.
        const std::string noFonts = folder_.WriteFile("empty-data/placeholder");
        const bool hadDataDirs = qEnvironmentVariableIsSet("XDG_DATA_DIRS");
        const QByteArray dataDirs = qgetenv("XDG_DATA_DIRS");
        const std::string failing[] = {folder_.WriteFile("gone.wav", "") + "-missing.wav",
                                       folder_.WriteFile("silent.mid", MidiNotes(2)),
                                       folder_.WriteFile("damaged.bmp", "BM not a picture")};
        for (const std::string& path : failing) {
            w.ShowInViewer(wav);
            QTRY_COMPARE_WITH_TIMEOUT(State(w), 2, kWait);
            dialogs_.messages.clear();
            qputenv("XDG_DATA_DIRS", QByteArray::fromStdString(noFonts.substr(0, noFonts.rfind('/'))));
            w.ShowInViewer(path);
            if (hadDataDirs)
                qputenv("XDG_DATA_DIRS", dataDirs);
            else
                qunsetenv("XDG_DATA_DIRS");
            QCOMPARE(dialogs_.messages.size(), std::size_t{1});
            QCOMPARE(State(w), 6);
            QVERIFY(Pane(w).Player() == nullptr && Pane(w).isHidden());
            QCOMPARE(w.windowTitle(), "[" + QString::fromStdString(wav) + "]");
        }
    }
};

}  // namespace pelmora

QTEST_MAIN(pelmora::MediaPlayerTest)
#include "media_player_test.moc"
