// ChoiView's resident memory over many follow calls (clicks in the file list) through 42 files
// of every kind: texts, pictures, web pages and pictures in the web engine, PDFs, sounds,
// MIDI and videos. `choi_view_mixed_bench [views]` (default 500) goes round the files in
// turn, each view waited for until it shows (a page loaded, a sound or video playing), and
// prints the resident memory after every 50 views: as it is (and of it the anonymous and the
// file-backed part), after the allocator handed back what it keeps free, the peak so far, and
// the allocator's arenas. Runs offscreen unless QT_QPA_PLATFORM says otherwise.

#include <QApplication>
#include <QBuffer>
#include <QImage>
#include <QMediaPlayer>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QWebEngineView>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/choi_view_bench_support.h"
#include "platform/allocator_tuning.h"
#include "settings/settings_record.h"
#include "tests/tools/choiview/media_bytes.h"
#include "tools/choiview/ui/choi_view_names.h"
#include "tools/choiview/ui/choi_view_window.h"
#include "tools/choiview/ui/media_player_pane.h"

namespace {

namespace names = pelmora::choi_view_names;
using pelmora::bench::NoDialogs;
using pelmora::bench::RunEventsFor;
using pelmora::bench::RunEventsUntil;
using pelmora::bench::StatusKiB;
using pelmora::bench::WriteBenchFile;

QByteArray Encoded(const QImage& image, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

QImage Picture(QSize size, QColor colour) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    QPainter painter(&image);
    painter.fillRect(QRect(QPoint(0, 0), size / 2), Qt::black);
    return image;
}

QByteArray Page(int variant) {
    QByteArray html = "<html><head><title>page " + QByteArray::number(variant) + "</title></head><body>";
    for (int i = 0; i < 300; ++i) html += "<p>ChoiView shows paragraph " + QByteArray::number(i) + ".</p>";
    return html + "</body></html>";
}

std::string WritePdf(const QTemporaryDir& dir, const QString& name, int pages) {
    const QString path = dir.filePath(name);
    QPdfWriter writer(path);
    QPainter painter(&writer);
    for (int page = 0; page < pages; ++page) {
        if (page > 0) writer.newPage();
        painter.fillRect(QRect(200, 200, 3000, 3000), Qt::black);
        painter.drawText(QPoint(200, 4000), QString("page %1").arg(page + 1));
    }
    return path.toStdString();
}

}  // namespace

int main(int argc, char** argv) {
    const int views = argc > 1 ? std::atoi(argv[1]) : 500;
    // As the program's main does; CHOIVIEW_BENCH_ARENAS=0 leaves the allocator's default.
    const char* arenas = std::getenv("CHOIVIEW_BENCH_ARENAS");
    pelmora::platform::LimitAllocatorArenas(arenas ? std::atoi(arenas) : 2);
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    QTemporaryDir dir;
    pelmora::Settings settings;
    settings.CV_txt = settings.CV_bmp = settings.CV_zip = settings.CV_htm = settings.CV_gif = settings.CV_jpg =
        settings.CV_pdf = settings.CV_wav = settings.CV_avi = settings.CV_mid = "1";
    settings.CV_txt_CheckSize = 2048;
    NoDialogs dialogs;
    pelmora::ChoiViewWindow window(settings, dir.filePath("Pelmora.ini").toStdString(), dialogs);
    window.OpenAtPlacement();

    using pelmora::testing::MidiNotes;
    using pelmora::testing::MjpegAvi;
    using pelmora::testing::WavTone;
    // 42 files, the kinds interleaved so that media, web pages and pictures follow each other.
    std::vector<std::string> files;
    const QColor colours[] = {Qt::darkCyan, Qt::darkGreen, Qt::darkRed, Qt::darkBlue, Qt::darkYellow, Qt::gray};
    for (int i = 0; i < 6; ++i) {
        const QString n = QString::number(i);
        std::string lines;
        for (int line = 0; line < 3000 * (i + 1); ++line)
            lines += "ちょいView の行 " + std::to_string(line) + " of text " + std::to_string(i) + "\r\n";
        files.push_back(WriteBenchFile(dir, "text" + n + ".txt", QByteArray::fromStdString(lines)));
        files.push_back(WriteBenchFile(dir, "photo" + n + ".bmp",
                              Encoded(Picture(QSize(600 + 500 * i, 400 + 400 * i), colours[i]), "BMP")));
        files.push_back(WriteBenchFile(dir, "page" + n + ".html", Page(i)));
        if (i < 4) files.push_back(WriteBenchFile(dir, "tone" + n + ".wav", WavTone(1000 + 500 * i)));
        if (i < 4)
            files.push_back(WriteBenchFile(dir, "picture" + n + ".jpg", Encoded(Picture(QSize(800 + 200 * i, 600), colours[i]), "JPEG")));
        if (i < 4) files.push_back(WritePdf(dir, "doc" + n + ".pdf", 5 + 10 * i));
        if (i < 3) files.push_back(WriteBenchFile(dir, "clip" + n + ".avi", MjpegAvi(40, QSize(160 * (i + 1), 120 * (i + 1)), {colours[i], Qt::white})));
        if (i < 3) files.push_back(WriteBenchFile(dir, "tune" + n + ".mid", MidiNotes(4 + i)));
        if (i < 3) files.push_back(WriteBenchFile(dir, "icon" + n + ".gif", Encoded(Picture(QSize(200, 150), colours[i]), "PNG")));
        if (i < 3) files.push_back(WriteBenchFile(dir, "small" + n + ".txt", "a short note " + n.toUtf8() + "\r\n"));
    }
    // CHOIVIEW_BENCH_SKIP="html,avi": leave out files of these extensions, to see what grows.
    if (const char* skip = std::getenv("CHOIVIEW_BENCH_SKIP")) {
        const QStringList extensions = QString::fromLatin1(skip).split(',');
        std::erase_if(files, [&](const std::string& path) {
            return extensions.contains(QString::fromStdString(path).section('.', -1));
        });
    }
    QWidget* media = window.findChild<QWidget*>(names::kMediaPlayer);
    auto* pane = static_cast<pelmora::MediaPlayerPane*>(media);
    std::printf("ChoiView, %d views through %zu files of mixed kinds\n", views, files.size());
    std::printf("%6s %12s %16s %12s %12s %12s %7s\n", "views", "resident", "after trimming", "peak", "anonymous",
                "files", "arenas");
    for (int view = 1; view <= views; ++view) {
        const std::string& path = files[static_cast<std::size_t>(view - 1) % files.size()];
        window.ShowInViewer(path);
        if (path.ends_with(".html") || path.ends_with(".gif") || path.ends_with(".jpg")) {
            RunEventsUntil([&] {
                auto* web = window.findChild<QWebEngineView*>();
                return web && !web->page()->isLoading() && web->url().toLocalFile().toStdString() == path;
            }, 10000);
        } else if (path.ends_with(".wav") || path.ends_with(".avi") || path.ends_with(".mid")) {
            RunEventsUntil([&] { return pane->Player() && pane->Player()->position() > 100; }, 10000);
        }
        RunEventsFor(50);
        if (view % 50 == 0 || view == views) {
            const long resident = StatusKiB("VmRSS:");
            const long anonymous = StatusKiB("RssAnon:"), mapped = StatusKiB("RssFile:");
            pelmora::platform::ReturnFreeHeapMemory();
            std::printf("%6d %8ld KiB %12ld KiB %8ld KiB %8ld KiB %8ld KiB %7d\n", view, resident, StatusKiB("VmRSS:"),
                        StatusKiB("VmHWM:"), anonymous, mapped, pelmora::platform::AllocatorArenaCount());
            std::fflush(stdout);
        }
    }
    return 0;
}
