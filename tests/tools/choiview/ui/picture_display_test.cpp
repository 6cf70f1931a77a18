// ChoiView's picture box and what reaches it: a picture is shown only when it could be read
// whole, and a plug-in that never returns neither holds the window nor paints over a newer
// file.
#include <QAbstractEventDispatcher>
#include <QBuffer>
#include <QElapsedTimer>
#include <QImageWriter>
#include <QTest>
#include <QTimer>

#include <filesystem>

#include "i18n/translation.h"
#include "tests/support/fake_job_context.h"
#include "tests/support/polling.h"
#include "tests/tools/choiview/bitmap_bytes.h"
#include "tests/tools/choiview/metafile_bytes.h"
#include "tests/tools/common/ui/tool_window_fixture.h"
#include "tools/choiview/choiview_texts.h"
#include "tools/choiview/ui/choi_view_names.h"
#include "tools/choiview/ui/choi_view_window.h"
#include "tools/choiview/ui/picture_box.h"
#include "tools/choiview/ui/picture_display.h"

namespace pelmora {

namespace names = choi_view_names;

class PictureDisplayTest : public QObject {
    Q_OBJECT

private:
    testing::ToolWindowFolder folder_;

    static Settings PictureSettings() {
        Settings settings;
        settings.CV_txt = settings.CV_bmp = settings.CV_ico = settings.CV_wmf = "1";
        return settings;
    }

    static QString Caption(const std::string& path) { return "[" + QString::fromStdString(path) + "]"; }

    // The loader tests' plug-in as the MAG reader, in a folder of its own.
    PluginFolders TestPluginAsMagReader() {
        const std::string library = folder_.WriteFile("plugins/ifmag.spi", "");
        std::filesystem::copy_file(PELMORA_TEST_PLUGIN, library, std::filesystem::copy_options::overwrite_existing);
        return {{std::filesystem::path(library).parent_path().string()}, false};
    }

    static QByteArray Encoded(const QImage& image, const char* format) {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter(&buffer, format).write(image);
        return bytes;
    }

    static QImage Filled(QSize size, QRgb colour) {
        QImage image(size, QImage::Format_RGB32);
        image.fill(colour);
        return image;
    }

private slots:
    void everyNativeTypeCutShortIsRefused() {
        constexpr std::uint32_t kRed = 0x000000FF;  // 0x00BBGGRR
        const struct {
            const char* name;
            QByteArray bytes;
        } cases[] = {
            {"photo.bmp", Encoded(Filled(QSize(40, 30), qRgb(200, 10, 10)), "BMP")},
            {"palette.dib", QByteArray::fromStdString(testing::BitmapFile({33, 21, 8, 0, 256}, testing::UniformRows(33, 21, 8, 99)))},
            {"runs.rle", QByteArray::fromStdString(testing::BitmapFile({40, 30, 8, 1, 256}, testing::Rle8Runs(40, 30, 180)))},
            {"icon.ico", Encoded(Filled(QSize(32, 32), qRgb(0, 0, 255)), "ICO")},
            {"drawing.emf", QByteArray::fromStdString(testing::EmfWithRectangle(60, 40, kRed, 5, 5, 30, 30))},
            {"drawing.wmf", QByteArray::fromStdString(testing::WmfWithRectangle(60, 40, kRed, 5, 5, 30, 30))},
        };
        for (const auto& c : cases) {
            const qsizetype size = c.bytes.size();
            QVERIFY2(!PictureDisplay::ReadPicture(folder_.WriteFile(c.name, c.bytes)).isNull(), c.name);
            for (const qsizetype keep : {size - 1, size - 4, size * 3 / 4, size / 2, qsizetype{100}, qsizetype{60}, qsizetype{14}}) {
                const std::string cut = folder_.WriteFile(QString("cut_%1_%2").arg(keep).arg(c.name), c.bytes.left(keep));
                QVERIFY2(PictureDisplay::ReadPicture(cut).isNull(), qPrintable(QString("%1 cut to %2").arg(c.name).arg(keep)));
            }
        }
    }

    void aShortBitmapGivesTheMessageOverAClearedViewer() {
        Settings settings = PictureSettings();
        testing::FakeDialogs dialogs;
        ChoiViewWindow w(settings, folder_.ini, dialogs);
        w.OpenAtPlacement();
        auto* box = w.findChild<PictureBox*>(names::kPicture);
        QVERIFY(box != nullptr);
        const std::string shown = folder_.WriteFile("pic.bmp", Encoded(Filled(QSize(50, 40), qRgb(0, 128, 0)), "BMP"));
        w.ShowInViewer(shown);
        QCOMPARE(box->Picture().pixel(10, 10), qRgb(0, 128, 0));

        const QByteArray whole = Encoded(Filled(QSize(64, 64), qRgb(255, 255, 0)), "BMP");
        w.ShowInViewer(folder_.WriteFile("cut.bmp", whole.left(1000)));
        QCOMPARE(dialogs.messages, std::vector<std::string>{Translated(choiview_texts::kOpenFailed)});
        QCOMPARE(w.windowTitle(), "[" + QString::fromStdString(shown) + "]");
        // The viewer was cleared before the file was read: no pixel of the cut file, nor of
        // whatever the box held before, is on show.
        QVERIFY(box->isHidden());
        QVERIFY(box->Picture().isNull());
    }

    // While the plug-in hangs, the window's timers fire; the next file is shown at once and
    // the hanging child is ended; the abandoned file never shows, nor any message for it.
    void aHangingPluginHoldsNothingAndEndsWithTheNextFileOrTheClose() {
        Settings settings = PictureSettings();
        settings.CV_Su_mag = "1";
        testing::FakeDialogs dialogs;
        ChoiViewWindow w(settings, folder_.ini, dialogs, nullptr, TestPluginAsMagReader());
        w.OpenAtPlacement();
        auto* box = w.findChild<PictureBox*>(names::kPicture);
        QVERIFY(box != nullptr);
        const std::string hanging = folder_.WriteFile("hangs.mag", "hang");
        const std::string next = folder_.WriteFile("next.mag", "ok");

        QElapsedTimer clock;
        bool hangingReturned = false;
        qint64 tickedAfter = -1;
        QString captionOfNext;
        bool childEndedByNext = false;
        QTimer::singleShot(0, &w, [&] {
            clock.start();
            w.ShowInViewer(hanging);
            hangingReturned = true;
        });
        QTimer::singleShot(50, &w, [&] {
            tickedAfter = clock.elapsed();
            const long child = testing::ProcessIdFromFile(hanging + ".pid");
            w.ShowInViewer(next);
            captionOfNext = w.windowTitle();
            childEndedByNext = child > 0 && testing::ProcessHasEnded(child);
        });
        QTRY_VERIFY_WITH_TIMEOUT(hangingReturned, 20000);
        QVERIFY2(tickedAfter >= 0 && tickedAfter < 250, qPrintable(QString::number(tickedAfter)));
        QCOMPARE(captionOfNext, Caption(next));
        QVERIFY(childEndedByNext);
        QCOMPARE(w.windowTitle(), Caption(next));
        QCOMPARE(box->Picture().size(), QSize(3, 2));
        QVERIFY(dialogs.messages.empty());

        const std::string again = folder_.WriteFile("again.mag", "hang");
        bool againReturned = false;
        bool childEndedByClose = false;
        QTimer::singleShot(0, &w, [&] {
            w.ShowInViewer(again);
            againReturned = true;
        });
        QTimer::singleShot(20, &w, [&] {
            const long child = testing::ProcessIdFromFile(again + ".pid");
            w.close();
            childEndedByClose = child > 0 && testing::ProcessHasEnded(child);
        });
        QTRY_VERIFY_WITH_TIMEOUT(againReturned, 20000);
        QVERIFY(childEndedByClose);
        QCOMPARE(w.windowTitle(), Caption(next));
        QVERIFY(dialogs.messages.empty());
    }

    // A file abandoned for another whose plug-in also hangs: the first one's ended child no
    // longer wakes the window while the second is waited for.
    void anAbandonedWaitDoesNotKeepTheWindowBusy() {
        Settings settings = PictureSettings();
        settings.CV_Su_mag = "1";
        testing::FakeDialogs dialogs;
        ChoiViewWindow w(settings, folder_.ini, dialogs, nullptr, TestPluginAsMagReader());
        w.OpenAtPlacement();
        const std::string first = folder_.WriteFile("first.mag", "hang");
        const std::string second = folder_.WriteFile("second.mag", "hang");
        bool firstReturned = false;
        bool secondReturned = false;
        int wakes = -1;
        QTimer::singleShot(0, &w, [&] {
            w.ShowInViewer(first);
            firstReturned = true;
        });
        QTimer::singleShot(20, &w, [&] {
            testing::ProcessIdFromFile(first + ".pid");
            w.ShowInViewer(second);
            secondReturned = true;
        });
        QTimer::singleShot(100, &w, [&] {
            testing::ProcessIdFromFile(second + ".pid");
            // Counts the event loop's wake-ups for 200 ms, until it is deleted.
            auto* counting = new QObject(&w);
            wakes = 0;
            QObject::connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::awake, counting,
                             [&wakes] { ++wakes; });
            QTimer::singleShot(200, &w, [&w, counting] {
                delete counting;
                w.close();
            });
        });
        QTRY_VERIFY_WITH_TIMEOUT(firstReturned && secondReturned, 20000);
        QVERIFY2(wakes >= 0 && wakes < 200, qPrintable(QString("%1 wake-ups").arg(wakes)));
        QVERIFY(dialogs.messages.empty());
    }
};

}  // namespace pelmora

QTEST_MAIN(pelmora::PictureDisplayTest)
#include "picture_display_test.moc"
