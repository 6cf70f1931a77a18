// A 50 MB video on a share (the tests' private smbd on 127.0.0.1): the time from the follow
// call to the first video frame, when the engine plays a private copy of the file and when it
// reads the share through a device. Runs offscreen unless told otherwise. Five runs each,
// alternating; prints each run and the medians.

#include <QApplication>
#include <QElapsedTimer>
#include <QIODevice>
#include <QMediaPlayer>
#include <QUrl>
#include <QVideoFrame>
#include <QVideoSink>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include "bench/choi_view_bench_support.h"
#include "platform/file_system_service.h"
#include "tests/support/smb_test_server.h"
#include "tests/tools/choiview/media_bytes.h"
#include "tools/choiview/viewer_file_bytes.h"

namespace {

// A file read through the file system service, as a device the engine can pull from.
class ServiceFileDevice : public QIODevice {
public:
    explicit ServiceFileDevice(std::unique_ptr<pelmora::platform::ReadableFile> file) : file_(std::move(file)) {
        open(QIODevice::ReadOnly);
    }
    bool isSequential() const override { return false; }
    qint64 size() const override { return static_cast<qint64>(file_->Size()); }
    bool seek(qint64 position) override { return QIODevice::seek(position) && file_->SeekTo(static_cast<std::uint64_t>(position)); }

protected:
    qint64 readData(char* data, qint64 length) override {
        std::size_t got = 0;
        if (!file_->SeekTo(static_cast<std::uint64_t>(pos())) || !file_->Read(data, static_cast<std::size_t>(length), got)) return -1;
        return static_cast<qint64>(got);
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    std::unique_ptr<pelmora::platform::ReadableFile> file_;
};

// Milliseconds from the call of `start` to the first frame; -1 when none came in 30 s.
template <typename Start>
qint64 FirstFrame(Start start) {
    QMediaPlayer player;
    QVideoSink sink;
    player.setVideoSink(&sink);
    bool framed = false;
    QObject::connect(&sink, &QVideoSink::videoFrameChanged, [&](const QVideoFrame& frame) { framed = framed || frame.isValid(); });
    QElapsedTimer timer;
    timer.start();
    auto keep = start(player);
    player.play();
    const bool ok = pelmora::bench::RunEventsUntil([&] { return framed; }, 30000);
    const qint64 elapsed = timer.elapsed();
    player.stop();
    return ok ? elapsed : -1;
}

qint64 Median(std::vector<qint64> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    pelmora::testing::SmbTestServer server;
    if (!server.Started()) return 1;
    // Frames of noise would not shrink; big plain frames give 50 MB with few of them.
    const QList<QColor> colours = {Qt::red, Qt::green, Qt::blue, Qt::yellow};
    const qsizetype perFrame = pelmora::testing::MjpegAvi(4, QSize(1920, 1080), colours).size() / 4;
    const int frames = static_cast<int>(50 * 1024 * 1024 / perFrame) + 1;
    const QByteArray video = pelmora::testing::MjpegAvi(frames, QSize(1920, 1080), colours);
    pelmora::testing::WriteFile(server.GuestFolder() + "/film.avi", video.toStdString());
    const std::string path = pelmora::testing::SmbTestServer::GuestShare() + "/film.avi";
    std::printf("video: %.1f MB\n", video.size() / 1048576.0);

    std::vector<qint64> copied, device;
    for (int run = 0; run < 5; ++run) {
        copied.push_back(FirstFrame([&](QMediaPlayer& player) {
            std::unique_ptr<pelmora::PrivateFileCopy> copy;
            const std::string local = pelmora::LocalPathOf(path, copy);
            player.setSource(QUrl::fromLocalFile(QString::fromStdString(local)));
            return copy;
        }));
        device.push_back(FirstFrame([&](QMediaPlayer& player) {
            std::error_code error;
            auto file = std::make_unique<ServiceFileDevice>(pelmora::platform::FileSystemFor(path).OpenFileForReading(path, error));
            player.setSourceDevice(file.get(), QUrl(QStringLiteral("film.avi")));
            return file;
        }));
        std::printf("run %d: private copy %lld ms, device %lld ms\n", run + 1, static_cast<long long>(copied.back()),
                    static_cast<long long>(device.back()));
    }
    std::printf("median: private copy %lld ms, device %lld ms\n", static_cast<long long>(Median(copied)),
                static_cast<long long>(Median(device)));
    return 0;
}
