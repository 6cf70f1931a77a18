#include "tools/choiview/ui/choi_view_window.h"

#include <QCheckBox>
#include <QImage>
#include <QMimeData>
#include <QScreen>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QUrl>

#include <algorithm>

#include "common/window_placement.h"
#include "i18n/translation.h"
#include "listing/archive/archive_listing.h"
#include "listing/engine/job_context.h"
#include "settings/ini_access.h"
#include "tests/tools/choiview/encoded_text.h"
#include "tests/tools/choiview/metafile_bytes.h"
#include "tests/tools/common/ui/tool_window_fixture.h"
#include "tools/choiview/choiview_texts.h"
#include "tools/choiview/ui/choi_view_names.h"
#include "tools/choiview/ui/picture_box.h"
#include "tools/choiview/ui/text_pane.h"
#include "tools/choiview/viewer_layout.h"
#include "tests/support/fake_job_context.h"

namespace pelmora {

namespace names = choi_view_names;

// Records the messages; every question is answered no.
using RecordedDialogs = testing::FakeDialogs;

class ChoiViewWindowTest : public QObject {
    Q_OBJECT

private:
    testing::ToolWindowFolder folder_;
    const std::string ini_ = folder_.ini;

    static Settings ViewerSettings() {
        Settings settings;
        settings.CV_txt = settings.CV_bmp = settings.CV_ico = settings.CV_zip = "1";
        settings.CV_txt_CheckSize = 2048;
        return settings;
    }
    template <typename T = QWidget>
    static T* Child(const ChoiViewWindow& w, const char* name) {
        return w.findChild<T*>(name);
    }
    static QString ViewText(const ChoiViewWindow& w) { return Child<TextPane>(w, names::kText)->Text(); }
    static bool Shown(const ChoiViewWindow& w, const char* name) { return !Child(w, name)->isHidden(); }
    static QRect Pixels(const ChoiViewWindow& w, const TwipsRect& r) {
        const double dpi = w.logicalDpiX();
        return {TwipsToPixels(r.left, dpi), TwipsToPixels(r.top, dpi), TwipsToPixels(r.width, dpi),
                TwipsToPixels(r.height, dpi)};
    }
    static QString Caption(const std::string& path) { return "[" + QString::fromStdString(path) + "]"; }

    // A picture with a different colour in each quarter, so a sampled pixel tells where it is.
    std::string WritePicture(const QString& name, QSize size, const char* format = "BMP") {
        QImage image(size, QImage::Format_RGB32);
        const int w = size.width(), h = size.height();
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                image.setPixel(x, y, x < w / 2 ? (y < h / 2 ? 0xFF0000 : 0x00FF00) : (y < h / 2 ? 0x0000FF : 0xFFFF00));
        const std::string path = folder_.WriteFile(name, "");
        image.save(QString::fromStdString(path), format);
        return path;
    }

private slots:
    void opensWithTheDefaultPictureAndTheFixedLayout() {
        Settings settings = ViewerSettings();
        settings.CV_DefaultPicture = WritePicture("default.bmp", QSize(40, 30));
        RecordedDialogs dialogs;
        ChoiViewWindow w(settings, ini_, dialogs);
        w.OpenAtPlacement();
        QCOMPARE(w.objectName(), QString(names::kWindow));
        QCOMPARE(w.windowTitle(), QString::fromUtf8("ちょいView"));
        QVERIFY(Shown(w, names::kPicture) && Shown(w, names::kFrontCheck));
        for (const char* hidden : {names::kHorizontalScroll, names::kVerticalScroll, names::kText, names::kWebBrowser,
                                   names::kMediaPlayer})
            QVERIFY2(!Shown(w, hidden), hidden);
        QCOMPARE(Child<PictureBox>(w, names::kPicture)->Picture().size(), QSize(40, 30));
        QCOMPARE(Child<QCheckBox>(w, names::kFrontCheck)->text(), QString::fromUtf8("前面"));
        QVERIFY(!Child<QCheckBox>(w, names::kFrontCheck)->isChecked());
        QVERIFY(!w.windowFlags().testFlag(Qt::WindowStaysOnTopHint));

        const TwipsSize size = w.SizeInTwips();
        QCOMPARE(Child(w, names::kPicture)->geometry(), Pixels(w, ViewerContentArea(size)));
        QCOMPARE(Child(w, names::kFrontCheck)->pos(), Pixels(w, ViewerFrontCheckPlace(size)).topLeft());
        QVERIFY(dialogs.messages.empty());

        // A default picture that cannot be read leaves the box empty, silently.
        settings.CV_DefaultPicture = folder_.WriteFile("broken.bmp", "not a picture");
        settings.CV_FrontView = "1";
        w.close();
        w.OpenAtPlacement();
        QVERIFY(Child<PictureBox>(w, names::kPicture)->Picture().isNull());
        QVERIFY(dialogs.messages.empty());
        QVERIFY(Child<QCheckBox>(w, names::kFrontCheck)->isChecked());
        QVERIFY(w.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        Child<QCheckBox>(w, names::kFrontCheck)->click();
        QVERIFY(!w.windowFlags().testFlag(Qt::WindowStaysOnTopHint) && w.isVisible());
    }

    void textInEveryEncodingShowsTheSameJapanese() {
        Settings settings = ViewerSettings();
        RecordedDialogs dialogs;
        ChoiViewWindow w(settings, ini_, dialogs);
        w.OpenAtPlacement();
        using testing::Encoded;
        const std::string_view ja = testing::kJapaneseSample;
        const std::pair<const char*, std::string> files[] = {
            {"utf8.txt", std::string(ja)},
            {"bom.txt", "\xEF\xBB\xBF" + std::string(ja)},
            {"utf16.txt", "\xFF\xFE" + Encoded(ja, "UTF-16LE")},
            {"sjis.txt", Encoded(ja, "windows-31j")},
            {"euc.txt", Encoded(ja, "EUC-JP")},
            {"jis.txt", Encoded(ja, "ISO-2022-JP")},
        };
        for (const auto& [name, bytes] : files) {
            const std::string path = folder_.WriteFile(name, QByteArray::fromStdString(bytes));
            w.ShowInViewer(path);
            QCOMPARE(ViewText(w), QString::fromUtf8(ja.data(), static_cast<qsizetype>(ja.size())));
            QCOMPARE(w.windowTitle(), Caption(path));
        }
        QVERIFY(Shown(w, names::kText) && !Shown(w, names::kPicture));
        QCOMPARE(Child(w, names::kText)->geometry(), Pixels(w, ViewerContentArea(w.SizeInTwips())));
        QVERIFY(dialogs.messages.empty());
    }

    void longTextScrollsByLinesAndIsDrawn() {
        Settings settings = ViewerSettings();
        RecordedDialogs dialogs;
        ChoiViewWindow w(settings, ini_, dialogs);
        w.OpenAtPlacement();
        QByteArray lines;
        for (int i = 0; i < 5000; ++i) lines += "line " + QByteArray::number(i) + "\tcolumn\r\n";
        w.ShowInViewer(folder_.WriteFile("long.txt", lines));
        auto* pane = Child<TextPane>(w, names::kText);
        QCOMPARE(pane->LineCount(), 5000);
        QScrollBar* bar = pane->verticalScrollBar();
        QVERIFY(bar->maximum() > 4900 && bar->maximum() < 5000);
        bar->setValue(bar->maximum());
        QCOMPARE(pane->FirstShownLine(), bar->maximum());
        // Something other than the background is drawn at the top left.
        const QImage shown = pane->viewport()->grab().toImage();
        const QColor base = pane->palette().color(QPalette::Base);
        bool drawn = false;
        for (int y = 0; y < 20 && !drawn; ++y)
            for (int x = 0; x < 60 && !drawn; ++x) drawn = shown.pixelColor(x, y) != base;
        QVERIFY(drawn);
    }

    void filesNotShownLeaveEverythingAsItWas() {
        Settings settings = ViewerSettings();
        settings.CV_other_txt = "1";
        RecordedDialogs dialogs;
        ChoiViewWindow w(settings, ini_, dialogs);
        w.OpenAtPlacement();
        const std::string first = folder_.WriteFile("first.txt", "first\r\n");
        w.ShowInViewer(first);

        std::string late(3000, 'x');
        late[2500] = '\0';
        std::string early = late;
        early[10] = '\0';
        settings.CV_txt = "0";
        const std::string unchanged[] = {
            folder_.WriteFile("off.txt", "gate closed"),
            folder_.WriteFile("early.log", QByteArray::fromStdString(early)),
            folder_.WriteFile("empty.log", ""),
            folder_.WriteFile("noextension", "text"),
            "",
        };
        for (const std::string& path : unchanged) {
            w.ShowInViewer(path);
            QCOMPARE(ViewText(w), QStringLiteral("first\n"));
            QCOMPARE(w.windowTitle(), Caption(first));
        }
        QVERIFY(dialogs.messages.empty());

        // A NUL past the checked head does not keep a file out.
        const std::string lateFile = folder_.WriteFile("late.log", QByteArray::fromStdString(late));
        w.ShowInViewer(lateFile);
        QCOMPARE(w.windowTitle(), Caption(lateFile));
        QCOMPARE(ViewText(w).size(), 3000);

        // A picture the readers reject: the viewer was cleared before it was read, so the
        // message leaves it empty under the previous caption.
        const std::string bad = folder_.WriteFile("bad.bmp", "BM not really");
        w.ShowInViewer(bad);
        QCOMPARE(dialogs.messages, std::vector<std::string>{Translated(choiview_texts::kOpenFailed)});
        QCOMPARE(w.windowTitle(), Caption(lateFile));
        for (const char* display : {names::kText, names::kPicture, names::kWebBrowser, names::kMediaPlayer})
            QVERIFY2(!Shown(w, display), display);
    }

    void archiveShowsItsListingAndADamagedOneAnEmptyView() {
        if (!testing::ToolInstalled("zip")) QSKIP("zip is not installed");
        Settings settings = ViewerSettings();
        RecordedDialogs dialogs;
        ChoiViewWindow w(settings, ini_, dialogs);
        w.OpenAtPlacement();
        const std::string member = folder_.WriteFile("member.txt", "inside");
        const std::string zip = folder_.ini + ".zip";
        testing::Capture("zip -j -q " + testing::ShellQuote(zip) + " " + testing::ShellQuote(member));
        w.ShowInViewer(zip);
        const QString listing = QString::fromStdString(ArchiveListing(zip, nullptr)).replace("\r\n", "\n");
        QVERIFY(listing.contains("member.txt"));
        QCOMPARE(ViewText(w), listing);
        QCOMPARE(w.windowTitle(), Caption(zip));

        // No listing: the view is emptied and the caption names the archive all the same.
        const std::string damaged = folder_.WriteFile("damaged.zip", "PK not a zip");
        const std::string empty = folder_.WriteFile("empty.zip", QByteArray("PK\x05\x06", 4) + QByteArray(18, '\0'));
        for (const std::string& path : {damaged, empty}) {
            w.ShowInViewer(zip);
            w.ShowInViewer(path);
            QVERIFY(Shown(w, names::kText));
            QCOMPARE(ViewText(w), QString::fromStdString(ArchiveListing(path, nullptr)).replace("\r\n", "\n"));
            QVERIFY(!ViewText(w).contains("member.txt"));
            QCOMPARE(w.windowTitle(), Caption(path));
        }
        QVERIFY(std::count(dialogs.messages.begin(), dialogs.messages.end(), Translated(choiview_texts::kOpenFailed)) == 0);
    }

    void picturesAtNaturalSizeWithTheBarsTheyNeed() {
        Settings settings = ViewerSettings();
        RecordedDialogs dialogs;
        ChoiViewWindow w(settings, ini_, dialogs);
        w.OpenAtPlacement();
        w.ShowInViewer(folder_.WriteFile("notes.txt", "text first"));
        const QRect area = Pixels(w, ViewerContentArea(w.SizeInTwips()));
        struct Case {
            const char* name;
            QSize size;
            const char* format;
            bool horizontal, vertical;
        };
        const Case cases[] = {
            {"small.bmp", QSize(60, 40), "BMP", false, false},
            {"small.dib", QSize(60, 40), "BMP", false, false},
            {"icon.ico", QSize(32, 32), "ICO", false, false},
            {"wide.bmp", QSize(area.width() * 3, area.height() / 2), "BMP", true, false},
            {"tall.bmp", QSize(area.width() / 2, area.height() * 3), "BMP", false, true},
            {"big.bmp", QSize(area.width() * 2, area.height() * 2), "BMP", true, true},
        };
        for (const Case& c : cases) {
            const std::string path = WritePicture(c.name, c.size, c.format);
            w.ShowInViewer(path);
            QVERIFY2(dialogs.messages.empty(), c.name);
            QCOMPARE(w.windowTitle(), Caption(path));
            QVERIFY(Shown(w, names::kPicture) && !Shown(w, names::kText));
            auto* box = Child<PictureBox>(w, names::kPicture);
            QCOMPARE(box->Picture().size(), c.size);
            QCOMPARE(Shown(w, names::kHorizontalScroll), c.horizontal);
            QCOMPARE(Shown(w, names::kVerticalScroll), c.vertical);
            QCOMPARE(box->pos(), QPoint(0, 0));
            // The top-left quarter is red, on screen too.
            const QImage shown = box->grab(QRect(0, 0, 4, 4)).toImage();
            QCOMPARE(shown.pixelColor(1, 1), QColor(Qt::red));
        }
        auto* bar = Child<QScrollBar>(w, names::kHorizontalScroll);
        auto* vbar = Child<QScrollBar>(w, names::kVerticalScroll);
        QCOMPARE(bar->geometry().bottom(), area.bottom());
        QCOMPARE(vbar->geometry().right(), area.right());
        QCOMPARE(Child(w, names::kPicture)->geometry().bottom(), bar->geometry().top() - 1);
    }

    void metafilesAtTheirFrameSizeOnWhite() {
        Settings settings = ViewerSettings();
        settings.CV_wmf = "1";
        RecordedDialogs dialogs;
        ChoiViewWindow w(settings, ini_, dialogs);
        w.OpenAtPlacement();
        constexpr std::uint32_t kBlue = 0x00FF0000;  // 0x00BBGGRR
        const struct {
            const char* name;
            std::string bytes;
        } cases[] = {
            {"drawing.emf", testing::EmfWithRectangle(150, 90, kBlue, 20, 30, 100, 70)},
            {"drawing.wmf", testing::WmfWithRectangle(150, 90, kBlue, 20, 30, 100, 70)},
        };
        for (const auto& c : cases) {
            const std::string path = folder_.WriteFile(c.name, QByteArray::fromStdString(c.bytes));
            w.ShowInViewer(path);
            QVERIFY2(dialogs.messages.empty(), c.name);
            QCOMPARE(w.windowTitle(), Caption(path));
            auto* box = Child<PictureBox>(w, names::kPicture);
            QVERIFY(Shown(w, names::kPicture));
            QCOMPARE(box->Picture().size(), QSize(150, 90));
            const QImage shown = box->grab(QRect(0, 0, 150, 90)).toImage();
            QCOMPARE(shown.pixelColor(60, 50), QColor(Qt::blue));
            // Outside the rectangle the metafile draws nothing: white.
            QCOMPARE(shown.pixelColor(5, 5), QColor(Qt::white));
            QCOMPARE(shown.pixelColor(140, 80), QColor(Qt::white));

            // Cut short: the message over an empty viewer; the caption is the last shown file's.
            const std::string cut = folder_.WriteFile(QString("cut_") + c.name,
                                                      QByteArray::fromStdString(c.bytes.substr(0, c.bytes.size() - 8)));
            w.ShowInViewer(cut);
            QCOMPARE(dialogs.messages, std::vector<std::string>{Translated(choiview_texts::kOpenFailed)});
            QCOMPARE(w.windowTitle(), Caption(path));
            QVERIFY(!Shown(w, names::kPicture) && box->Picture().isNull());
            dialogs.messages.clear();
        }
    }

    void scrollingAndResizingKeepTheOffset() {
        Settings settings = ViewerSettings();
        RecordedDialogs dialogs;
        ChoiViewWindow w(settings, ini_, dialogs);
        w.OpenAtPlacement();
        w.ShowInViewer(WritePicture("wide.bmp", QSize(3000, 100)));
        auto* bar = Child<QScrollBar>(w, names::kHorizontalScroll);
        auto* box = Child<PictureBox>(w, names::kPicture);
        const double dpi = w.logicalDpiX();
        const int area = TwipsToPixels(ViewerContentArea(w.SizeInTwips()).width, dpi);
        QCOMPARE(bar->maximum(), PixelsToTwips(3000, dpi) - ViewerContentArea(w.SizeInTwips()).width);
        bar->setValue(PixelsToTwips(1600, dpi));
        QCOMPARE(box->x(), -1600);
        QCOMPARE(box->geometry().right(), area - 1);  // grown by the offset
        // The right half of the picture is blue: scrolled into view.
        QCOMPARE(box->grab(QRect(1610, 10, 1, 1)).toImage().pixelColor(0, 0), QColor(Qt::blue));

        w.resize(w.width() + 100, w.height() + 60);
        QTRY_COMPARE(Child(w, names::kPicture)->geometry().right(), area + 100 - 1);
        QCOMPARE(box->x(), -1600);
        QCOMPARE(bar->value(), PixelsToTwips(1600, dpi));

        // Shrunk below the least size, the window comes back to it.
        w.resize(20, 20);
        QTRY_VERIFY(w.SizeInTwips().width >= kViewerMinimumWidth && w.SizeInTwips().height >= kViewerMinimumHeight);
        QVERIFY(w.SizeInTwips().width < kViewerMinimumWidth + 30 && w.SizeInTwips().height < kViewerMinimumHeight + 30);
        QCOMPARE(Child(w, names::kFrontCheck)->pos(), Pixels(w, ViewerFrontCheckPlace(w.SizeInTwips())).topLeft());
    }

    void dropShowsTheFirstFileAndStealthSetsTheOpacity() {
        Settings settings = ViewerSettings();
        settings.CV_use_stealth = "1";
        settings.CV_Stealth = 128;
        RecordedDialogs dialogs;
        ChoiViewWindow w(settings, ini_, dialogs);
        w.OpenAtPlacement();
        QVERIFY(std::abs(w.windowOpacity() - 128 / 255.0) < 0.01);
        settings.CV_Stealth = 255;
        w.ApplyStealthOpacity();
        QCOMPARE(w.windowOpacity(), 1.0);

        const std::string first = folder_.WriteFile("one.txt", "one");
        const std::string second = folder_.WriteFile("two.txt", "two");
        QMimeData files;
        files.setUrls({QUrl::fromLocalFile(QString::fromStdString(first)), QUrl::fromLocalFile(QString::fromStdString(second))});
        testing::Drop(w, &files);
        QCOMPARE(ViewText(w), QStringLiteral("one"));
        // Drops on the displays reach the window.
        for (QWidget* child : w.findChildren<QWidget*>()) QVERIFY2(!child->acceptDrops(), qPrintable(child->objectName()));
    }

    void closeWritesThePositionAndResets() {
        Settings settings = ViewerSettings();
        settings.CV_LastFormPosition = "1";
        RecordedDialogs dialogs;
        auto* w = new ChoiViewWindow(settings, ini_, dialogs);
        QSignalSpy closed(w, &ChoiViewWindow::closed);
        w->OpenAtPlacement();
        w->ShowInViewer(folder_.WriteFile("shown.txt", "shown"));
        const QPoint place = w->screen()->geometry().topLeft() + QPoint(45, 35);
        w->move(place);
        QTRY_COMPARE(w->frameGeometry().topLeft(), place);
        w->close();
        QCOMPARE(closed.count(), 1);
        const double dpi = w->logicalDpiX();
        QCOMPARE(ReadIniInt("ChoiView", "CV_FormLeft", ini_), PixelsToTwips(45, dpi));
        QCOMPARE(settings.CV_FormTop, PixelsToTwips(35, dpi));
        QVERIFY(!Shown(*w, names::kText) && ViewText(*w).isEmpty());
        w->OpenAtPlacement();
        QCOMPARE(w->windowTitle(), QString::fromUtf8("ちょいView"));
        QVERIFY(Shown(*w, names::kPicture));
        QCOMPARE(w->frameGeometry().topLeft(), w->screen()->geometry().topLeft() + QPoint(45, 35));
        delete w;
    }
};

}  // namespace pelmora

QTEST_MAIN(pelmora::ChoiViewWindowTest)
#include "choi_view_window_test.moc"
