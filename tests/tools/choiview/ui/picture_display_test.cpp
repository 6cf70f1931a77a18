// ChoiView's picture box and what reaches it: a picture is shown only when it could be read
// whole.
#include <QBuffer>
#include <QImageWriter>
#include <QTest>

#include "tests/support/fake_job_context.h"
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

    void aShortBitmapKeepsThePictureOnShowAndGivesTheMessage() {
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
        QCOMPARE(dialogs.messages, std::vector<std::string>{choiview_texts::kOpenFailed});
        QCOMPARE(w.windowTitle(), "[" + QString::fromStdString(shown) + "]");
        QCOMPARE(box->Picture().size(), QSize(50, 40));
        QCOMPARE(box->Picture().pixel(10, 10), qRgb(0, 128, 0));
    }
};

}  // namespace pelmora

QTEST_MAIN(pelmora::PictureDisplayTest)
#include "picture_display_test.moc"
