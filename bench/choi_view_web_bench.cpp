// How long ChoiView's web-browser display takes from the follow call (a click in the file
// list) to what shows: the first web page after opening (the web engine starts then), a later
// page (aim < 500 ms), and the first page of a 50-page PDF painted (aim < 300 ms). Then 200
// clicks through files of mixed kinds, with the resident memory after 50 and after 200.
// Runs offscreen unless told otherwise. With --screenshot FILE it saves a picture of the window
// showing a PDF instead (the README's).

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QWebEngineView>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "bench/choi_view_bench_support.h"
#include "settings/settings_record.h"
#include "tools/choiview/ui/choi_view_names.h"
#include "tools/choiview/ui/choi_view_window.h"
#include "tools/choiview/ui/page_file_scheme.h"
#include "tools/choiview/ui/pdf_pages_view.h"

namespace {

using pelmora::bench::NoDialogs;

std::string Write(const QTemporaryDir& dir, const char* name, const std::string& bytes) {
    const std::string path = dir.filePath(QString::fromLatin1(name)).toStdString();
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

std::string Page(int variant) {
    std::string html = "<html><head><title>page " + std::to_string(variant) + "</title></head><body><h1>Page " +
                       std::to_string(variant) + "</h1>";
    for (int i = 0; i < 200; ++i) html += "<p>ChoiView shows this paragraph " + std::to_string(i) + ".</p>";
    return html + "</body></html>";
}

std::string WritePdf(const QTemporaryDir& dir, const char* name, int pages) {
    const QString path = dir.filePath(QString::fromLatin1(name));
    QPdfWriter writer(path);
    QPainter painter(&writer);
    for (int page = 0; page < pages; ++page) {
        if (page > 0) writer.newPage();
        painter.fillRect(QRect(200, 200, 3000, 3000), Qt::black);
        painter.drawText(QPoint(200, 4000), QString("page %1").arg(page + 1));
    }
    return path.toStdString();
}

// Lets events run until done() holds or 60 s pass; the time since start in ms, -1 on time-out.
template <typename Done>
double WaitFor(const QElapsedTimer& start, Done done) {
    while (!done()) {
        if (start.elapsed() > 60000) return -1;
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return static_cast<double>(start.nsecsElapsed()) / 1e6;
}

bool HasBlack(const QImage& image) {
    for (int y = 0; y < image.height(); y += 4)
        for (int x = 0; x < image.width(); x += 4)
            if (qGray(image.pixel(x, y)) < 40) return true;
    return false;
}

// A two-page document in Japanese, as a PDF.
std::string WriteSamplePdf(const QTemporaryDir& dir) {
    const QString path = dir.filePath("sample.pdf");
    QPdfWriter writer(path);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setResolution(300);
    QPainter painter(&writer);
    const QRect page = painter.viewport().adjusted(200, 200, -200, -200);
    for (int p = 1; p <= 2; ++p) {
        if (p > 1) writer.newPage();
        painter.fillRect(QRect(page.left(), page.top(), page.width(), 260), QColor(40, 90, 160));
        painter.setPen(Qt::white);
        painter.setFont(QFont("IPAGothic", 28, QFont::Bold));
        painter.drawText(QRect(page.left() + 60, page.top(), page.width() - 120, 260), Qt::AlignVCenter,
                         QString::fromUtf8("ちょいView で PDF を見る（%1 / 2）").arg(p));
        painter.setPen(Qt::black);
        painter.setFont(QFont("IPAGothic", 12));
        const QString body = QString::fromUtf8(
            "ファイル一覧でファイルをクリックすると、ちょいView がその内容を表示します。"
            "PDF はページを縦に並べて、ウィンドウの幅に合わせて表示します。"
            "スクロールで次のページへ進みます。Word、Excel、PowerPoint、Visio の文書は "
            "LibreOffice で PDF に変換してから表示します。\n\n");
        painter.drawText(page.adjusted(60, 360, -60, 0), Qt::TextWordWrap, body + body + body);
        painter.fillRect(QRect(page.left() + 60, page.top() + 1500, 900, 600), QColor(230, 120, 40));
        painter.fillRect(QRect(page.left() + 1100, page.top() + 1700, 900, 400), QColor(60, 160, 90));
    }
    return path.toStdString();
}

long ResidentKiB() {
    std::ifstream statm("/proc/self/statm");
    long size = 0, resident = 0;
    statm >> size >> resident;
    return resident * 4;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string screenshot = argc == 3 && std::string(argv[1]) == "--screenshot" ? argv[2] : "";
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    pelmora::RegisterPageFileScheme();
    QApplication app(argc, argv);
    QTemporaryDir dir;
    pelmora::Settings settings;
    settings.CV_htm = settings.CV_pdf = settings.CV_gif = settings.CV_jpg = settings.CV_txt = "1";
    NoDialogs dialogs;
    pelmora::ChoiViewWindow window(settings, dir.filePath("Pelmora.ini").toStdString(), dialogs);
    window.OpenAtPlacement();
    QWidget* browser = window.findChild<QWidget*>(pelmora::choi_view_names::kWebBrowser);

    if (!screenshot.empty()) {
        window.ShowInViewer(WriteSamplePdf(dir));
        QElapsedTimer start;
        start.start();
        WaitFor(start, [&] { return start.elapsed() > 1500; });
        return window.grab().save(QString::fromStdString(screenshot), "PNG") ? 0 : 1;
    }

    const std::string pages[] = {Write(dir, "one.html", Page(1)), Write(dir, "two.html", Page(2)),
                                 Write(dir, "three.html", Page(3))};
    auto showPage = [&](const std::string& path, const char* title) {
        QElapsedTimer start;
        start.start();
        window.ShowInViewer(path);
        return WaitFor(start, [&] {
            auto* view = browser->findChild<QWebEngineView*>();
            return view && view->title() == QString::fromLatin1(title);
        });
    };
    std::printf("first web page after opening: %.1f ms\n", showPage(pages[0], "page 1"));
    std::printf("a later page: %.1f ms\n", showPage(pages[1], "page 2"));
    std::printf("another later page: %.1f ms\n", showPage(pages[2], "page 3"));

    const std::string pdfs[] = {WritePdf(dir, "fifty-a.pdf", 50), WritePdf(dir, "fifty-b.pdf", 50)};
    for (const std::string& pdf : pdfs) {
        QElapsedTimer start;
        start.start();
        window.ShowInViewer(pdf);
        const double ms = WaitFor(start, [&] {
            auto* view = browser->findChild<pelmora::PdfPagesView*>();
            return view && HasBlack(view->grab().toImage());
        });
        std::printf("50-page PDF, first page painted: %.1f ms\n", ms);
    }

    // Mixed clicks: pages, PDFs, pictures, text.
    QImage picture(320, 240, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    const std::string jpeg = dir.filePath("photo.jpg").toStdString();
    picture.save(QString::fromStdString(jpeg), "JPEG");
    const std::string text = Write(dir, "notes.txt", std::string(20000, 'x'));
    const std::vector<std::string> mixed = {pages[0], pdfs[0], jpeg, text, pages[1], pdfs[1], pages[2]};
    for (int click = 1; click <= 200; ++click) {
        window.ShowInViewer(mixed[static_cast<std::size_t>(click) % mixed.size()]);
        QElapsedTimer settle;
        settle.start();
        WaitFor(settle, [&] { return settle.elapsed() > 100; });
        if (click == 50 || click == 200) std::printf("resident memory after %d files: %ld KiB\n", click, ResidentKiB());
    }
    return 0;
}
