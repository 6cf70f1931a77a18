// How long ChoiView takes from the follow call (a click in the file list) to the painted
// display: a 10 MiB Japanese text in UTF-8 and in Shift_JIS (aim < 300 ms) and a 4000 x 3000
// BMP (aim < 200 ms); and selecting all of the text and copying it (Ctrl+A, Ctrl+C).
// Runs offscreen unless told otherwise. Alternates between two files of each kind, so every
// call reads, decodes and lays out afresh.

#include <QAbstractScrollArea>
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QImage>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include <unicode/ucnv.h>

#include "bench/choi_view_bench_support.h"
#include "settings/settings_record.h"
#include "tools/choiview/ui/choi_view_window.h"

namespace {

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

using pelmora::bench::NoDialogs;

// The UTF-8 text in another encoding.
std::string Encoded(const std::string& utf8, const char* encoding) {
    std::string out(utf8.size() * 2 + 16, '\0');
    UErrorCode status = U_ZERO_ERROR;
    const int32_t length = ucnv_convert(encoding, "UTF-8", out.data(), static_cast<int32_t>(out.size()), utf8.data(),
                                        static_cast<int32_t>(utf8.size()), &status);
    out.resize(U_SUCCESS(status) ? static_cast<std::size_t>(length) : 0);
    return out;
}

// Lines of mixed Japanese and ASCII, CR LF ended, to the size in bytes.
std::string WriteText(const QTemporaryDir& dir, const char* name, std::size_t size, int variant,
                      const char* encoding = "UTF-8") {
    const std::string line =
        Encoded(std::to_string(variant) + " 吾輩は猫である。名前はまだ無い。ChoiView shows text quickly, 漢字とカタカナ。\r\n",
                encoding);
    std::string bytes;
    bytes.reserve(size + line.size());
    while (bytes.size() < size) bytes += line;
    bytes.resize(size);
    const std::string path = dir.filePath(QString::fromLatin1(name)).toStdString();
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

std::string WritePicture(const QTemporaryDir& dir, const char* name, int variant) {
    QImage image(4000, 3000, QImage::Format_RGB888);
    for (int y = 0; y < image.height(); ++y) {
        uchar* row = image.scanLine(y);
        for (int x = 0; x < image.width(); ++x) {
            row[3 * x] = static_cast<uchar>(x + variant);
            row[3 * x + 1] = static_cast<uchar>(y);
            row[3 * x + 2] = static_cast<uchar>(x ^ y);
        }
    }
    const QString path = dir.filePath(QString::fromLatin1(name));
    image.save(path, "BMP");
    return path.toStdString();
}

void Report(const char* what, std::vector<double> times) {
    std::sort(times.begin(), times.end());
    std::printf("%-40s min %7.1f ms   median %7.1f ms   max %7.1f ms   (%zu runs)\n", what, times.front(),
                times[times.size() / 2], times.back(), times.size());
}

template <typename Paint>
std::vector<double> TimeFollow(pelmora::ChoiViewWindow& window, const std::string (&files)[2], Paint paint) {
    constexpr int kRuns = 10;
    std::vector<double> times;
    for (int i = 0; i < kRuns; ++i) {
        const auto start = Clock::now();
        window.FollowPath(files[i % 2]);
        QApplication::processEvents();
        paint();
        times.push_back(Milliseconds(Clock::now() - start));
    }
    return times;
}

}  // namespace

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    QTemporaryDir dir;
    if (!dir.isValid()) return 1;

    constexpr std::size_t kTextSize = std::size_t{10} << 20;
    const std::string texts[2] = {WriteText(dir, "a.txt", kTextSize, 1), WriteText(dir, "b.txt", kTextSize, 2)};
    const std::string shiftJisTexts[2] = {WriteText(dir, "c.txt", kTextSize, 1, "windows-31j"),
                                          WriteText(dir, "d.txt", kTextSize, 2, "windows-31j")};
    const std::string pictures[2] = {WritePicture(dir, "a.bmp", 1), WritePicture(dir, "b.bmp", 2)};

    pelmora::Settings settings;
    settings.CV_txt = settings.CV_bmp = "1";
    NoDialogs dialogs;
    pelmora::ChoiViewWindow window(settings, dir.filePath("Pelmora.ini").toStdString(), dialogs);
    window.OpenAtPlacement();
    QApplication::processEvents();
    auto* text = window.findChild<QAbstractScrollArea*>("RichTextBox1");
    auto* picture = window.findChild<QWidget*>("Picture1");

    std::printf("ChoiView, follow call to painted display\n");
    Report("10 MiB text (UTF-8, CR LF)", TimeFollow(window, texts, [&] { text->viewport()->repaint(); }));
    Report("10 MiB text (Shift_JIS, CR LF)", TimeFollow(window, shiftJisTexts, [&] { text->viewport()->repaint(); }));
    Report("4000 x 3000 BMP (24-bit)", TimeFollow(window, pictures, [&] { picture->repaint(); }));

    // The whole text selected, painted highlighted, and put on the clipboard.
    window.FollowPath(texts[0]);
    QApplication::processEvents();
    std::vector<double> copies;
    for (int i = 0; i < 10; ++i) {
        const auto start = Clock::now();
        for (const Qt::Key key : {Qt::Key_A, Qt::Key_C}) {
            QKeyEvent press(QEvent::KeyPress, key, Qt::ControlModifier);
            QApplication::sendEvent(text, &press);
        }
        text->viewport()->repaint();
        copies.push_back(Milliseconds(Clock::now() - start));
        QApplication::clipboard()->clear();
    }
    Report("Ctrl+A, Ctrl+C of the 10 MiB text", copies);
    return 0;
}
