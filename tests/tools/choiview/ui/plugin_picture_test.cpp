// SUSIE pictures in ChoiView: the shipped plug-ins give the pixels Qt's own readers give for
// the same files, and the window shows them in Picture1 or reports a missing plug-in.
#include <gif_lib.h>

#include <QBuffer>
#include <QImageWriter>
#include <QTest>

#include "listing/engine/job_context.h"
#include "tests/tools/common/ui/tool_window_fixture.h"
#include "tools/choiview/ui/choi_view_names.h"
#include "tools/choiview/ui/choi_view_window.h"
#include "tools/choiview/ui/picture_box.h"
#include "tools/choiview/ui/plugin_picture_image.h"

namespace pelmora {

namespace names = choi_view_names;

class MessageLog : public UserDialogs {
public:
    void ShowMessage(const std::string& text) override { messages.push_back(text); }
    bool AskYesNo(const std::string&) override { return false; }
    void Beep() override {}
    std::vector<std::string> messages;
};

class PluginPictureTest : public QObject {
    Q_OBJECT

private:
    testing::ToolWindowFolder folder_;
    MessageLog dialogs_;
    const PluginFolders shipped_{{PELMORA_SHIPPED_PLUGINS}, false};

    // Smooth gradients and hard edges, so that a decoder's rounding and its row order both show.
    static QImage TestPicture(QSize size) {
        QImage image(size, QImage::Format_RGB32);
        for (int y = 0; y < size.height(); ++y)
            for (int x = 0; x < size.width(); ++x)
                image.setPixel(x, y, qRgb(x * 255 / size.width(), y * 255 / size.height(), (x / 4 + y / 4) % 2 ? 230 : 20));
        return image;
    }

    std::string Save(const QImage& image, const QString& name, const char* format,
                     const std::function<void(QImageWriter&)>& options = {}) {
        const std::string path = folder_.WriteFile(name);
        QImageWriter writer(QString::fromStdString(path), format);
        if (options) options(writer);
        if (!writer.write(image)) qWarning() << writer.errorString();
        return path;
    }

    // The plug-in's picture equals Qt's reading of the same file, pixel for pixel.
    void CompareWithQt(const std::string& path) {
        const QImage ours = ReadPluginPicture(path, shipped_, dialogs_);
        const QImage qts = QImage(QString::fromStdString(path)).convertToFormat(QImage::Format_RGB32);
        QVERIFY2(!qts.isNull(), path.c_str());
        QVERIFY2(!ours.isNull(), path.c_str());
        QCOMPARE(ours.size(), qts.size());
        for (int y = 0; y < qts.height(); ++y)
            for (int x = 0; x < qts.width(); ++x)
                if (ours.pixel(x, y) != qts.pixel(x, y))
                    QFAIL(qPrintable(QString("%1: pixel %2,%3 is %4, Qt reads %5")
                                         .arg(QString::fromStdString(path))
                                         .arg(x)
                                         .arg(y)
                                         .arg(ours.pixel(x, y), 8, 16)
                                         .arg(qts.pixel(x, y), 8, 16)));
    }

    // A GIF written with giflib: 64 colours, optionally interlaced (rows in the four passes).
    std::string WriteGif(const QString& name, QSize size, bool interlaced) {
        const std::string path = folder_.WriteFile(name);
        int error = 0;
        GifFileType* gif = EGifOpenFileName(path.c_str(), false, &error);
        if (gif == nullptr) return path;
        GifColorType colours[64];
        for (int i = 0; i < 64; ++i)
            colours[i] = {static_cast<GifByteType>(i * 4), static_cast<GifByteType>(255 - i * 4),
                          static_cast<GifByteType>(i * 7 % 256)};
        ColorMapObject* map = GifMakeMapObject(64, colours);
        EGifPutScreenDesc(gif, size.width(), size.height(), 6, 0, map);
        EGifPutImageDesc(gif, 0, 0, size.width(), size.height(), interlaced, nullptr);
        std::vector<int> order;
        if (interlaced) {
            for (auto [first, step] : {std::pair{0, 8}, {4, 8}, {2, 4}, {1, 2}})
                for (int y = first; y < size.height(); y += step) order.push_back(y);
        } else {
            for (int y = 0; y < size.height(); ++y) order.push_back(y);
        }
        std::vector<GifPixelType> row(static_cast<std::size_t>(size.width()));
        for (int y : order) {
            for (int x = 0; x < size.width(); ++x) row[static_cast<std::size_t>(x)] = static_cast<GifPixelType>((x + 3 * y) % 64);
            EGifPutLine(gif, row.data(), size.width());
        }
        EGifCloseFile(gif, &error);
        GifFreeMapObject(map);
        return path;
    }

private slots:
    void shippedPluginsGiveThePixelsQtReads() {
        const QImage picture = TestPicture(QSize(37, 23));
        CompareWithQt(Save(picture, "rgb.png", "png"));
        CompareWithQt(Save(picture.convertToFormat(QImage::Format_Indexed8), "indexed.png", "png"));
        CompareWithQt(Save(picture.convertToFormat(QImage::Format_Grayscale8), "grey.png", "png"));
        CompareWithQt(Save(picture.convertToFormat(QImage::Format_RGBX64), "deep.png", "png"));
        CompareWithQt(Save(picture, "plain.jpg", "jpeg", [](QImageWriter& w) { w.setQuality(90); }));
        CompareWithQt(Save(picture, "progressive.jpeg", "jpeg", [](QImageWriter& w) { w.setProgressiveScanWrite(true); }));
        CompareWithQt(Save(picture.convertToFormat(QImage::Format_Grayscale8), "grey.jpg", "jpeg"));
        CompareWithQt(WriteGif("plain.gif", QSize(37, 23), false));
        CompareWithQt(WriteGif("interlaced.gif", QSize(37, 23), true));
        QVERIFY(dialogs_.messages.empty());
    }

    void damagedFilesGiveNoPictureAndNoMessage() {
        const std::string png = Save(TestPicture(QSize(40, 40)), "whole.png", "png");
        QByteArray bytes = QByteArray::fromStdString(testing::ReadFile(png));
        for (const char* name : {"cut.png", "cut.jpg", "cut.gif", "cut.tif", "cut.pcx"})
            QVERIFY2(ReadPluginPicture(folder_.WriteFile(name, bytes.left(60)), shipped_, dialogs_).isNull(), name);
        QVERIFY(ReadPluginPicture(folder_.WriteFile("empty.png", ""), shipped_, dialogs_).isNull());
        QVERIFY(dialogs_.messages.empty());
    }

    void choiViewShowsAJpegThroughItsPluginAndReportsAMissingOne() {
        Settings settings;
        settings.CV_jpg = "0";
        settings.CV_Su_jpg = settings.CV_Su_mag = settings.CV_Su_png = "1";
        MessageLog dialogs;
        ChoiViewWindow w(settings, folder_.ini, dialogs);
        w.OpenAtPlacement();
        auto* box = w.findChild<PictureBox*>(names::kPicture);
        QVERIFY(box != nullptr);

        const QImage picture = TestPicture(QSize(61, 45));
        const std::string jpeg = Save(picture, "photo.jpg", "jpeg");
        w.ShowInViewer(jpeg);
        QVERIFY(dialogs.messages.empty());
        QVERIFY(box->isVisible());
        // The picture at its natural size, as Qt decodes the same file.
        QCOMPARE(box->Picture().size(), QSize(61, 45));
        QCOMPARE(box->Picture().convertToFormat(QImage::Format_RGB32),
                 QImage(QString::fromStdString(jpeg)).convertToFormat(QImage::Format_RGB32));
        QCOMPARE(w.windowTitle(), "[" + QString::fromStdString(jpeg) + "]");

        // No MAG plug-in anywhere: the message names it, the box is left empty.
        const std::string mag = folder_.WriteFile("old.mag", "MAKI02  ");
        w.ShowInViewer(mag);
        QCOMPARE(dialogs.messages, std::vector<std::string>{"ifmag.spiが見つかりません"});
        QVERIFY(box->Picture().isNull());

        // A PNG that its plug-in cannot decode: an empty box, no message.
        const std::string broken = folder_.WriteFile("broken.png", "not a png");
        w.ShowInViewer(broken);
        QCOMPARE(dialogs.messages.size(), std::size_t{1});
        QVERIFY(box->Picture().isNull());
        QCOMPARE(w.windowTitle(), "[" + QString::fromStdString(broken) + "]");
    }
};

}  // namespace pelmora

QTEST_MAIN(pelmora::PluginPictureTest)
#include "plugin_picture_test.moc"
