#include "common/ui/window_position.h"

#include <QApplication>
#include <QFile>
#include <QScreen>
#include <QTemporaryDir>
#include <QtTest>

#include "settings/ini_access.h"

namespace pelmora {

// The offscreen screen starts away from the desktop's origin, as a second monitor does.
const QRect kScreen(1600, 300, 1280, 1024);

class WindowPositionTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;
    const std::string ini_ = QFile::encodeName(dir_.filePath("Pelmora.ini")).toStdString();

    static QPoint Pixels(int leftTwips, int topTwips, const QWidget& w) {
        return {TwipsToPixels(leftTwips, w.logicalDpiX()), TwipsToPixels(topTwips, w.logicalDpiX())};
    }

private slots:
    void initTestCase() { QCOMPARE(QGuiApplication::primaryScreen()->geometry(), kScreen); }

    void savedPlaceIsRelativeToTheScreenBothWays() {
        Settings settings;
        settings.LastFormPosition = "1";
        settings.FormLeft = 1500;
        settings.FormTop = 1200;
        QWidget w;
        w.resize(300, 200);
        ShowAtStartPosition(w, settings, kMainWindowPositionKeys);
        QCOMPARE(w.frameGeometry().topLeft(), kScreen.topLeft() + Pixels(1500, 1200, w));

        w.move(kScreen.topLeft() + QPoint(40, 30));
        QTRY_COMPARE(w.frameGeometry().topLeft(), kScreen.topLeft() + QPoint(40, 30));
        SaveWindowPosition(w, settings, kMainWindowPositionKeys, ini_);
        const int left = PixelsToTwips(40, w.logicalDpiX());
        const int top = PixelsToTwips(30, w.logicalDpiX());
        QCOMPARE(settings.FormLeft, left);
        QCOMPARE(settings.FormTop, top);
        QCOMPARE(ReadIniInt("Pelmora", "FormLeft", ini_), left);
        QCOMPARE(ReadIniInt("Pelmora", "FormTop", ini_), top);

        // Opened again, the window is where it was closed.
        QWidget again;
        again.resize(300, 200);
        ShowAtStartPosition(again, settings, kMainWindowPositionKeys);
        QCOMPARE(again.frameGeometry().topLeft(), kScreen.topLeft() + QPoint(40, 30));
    }

    void eachWindowUsesItsOwnKeysAndUnsavedPlacesAreCentred() {
        Settings settings;
        settings.Hex_LastFormPosition = "1";
        settings.Hex_FormLeft = 600;
        settings.Hex_FormTop = 450;
        settings.ACL_LastFormPosition = "0";
        settings.ACL_FormLeft = 600;
        settings.ACL_FormTop = 450;
        QWidget hex, acl, centred;
        for (QWidget* w : {&hex, &acl, &centred}) w->resize(320, 240);
        ShowAtStartPosition(hex, settings, kHexViewPositionKeys);
        ShowAtStartPosition(acl, settings, kAclViewPositionKeys);
        ShowAtStartPosition(centred, settings, kAlwaysCentred);
        QCOMPARE(hex.frameGeometry().topLeft(), kScreen.topLeft() + Pixels(600, 450, hex));
        for (QWidget* w : {&acl, &centred}) {
            const QPoint offCentre = kScreen.center() - w->frameGeometry().center();
            QVERIFY(std::abs(offCentre.x()) <= 1 && std::abs(offCentre.y()) <= 1);
        }

        // A window without keys saves nothing.
        SaveWindowPosition(centred, settings, kAlwaysCentred, ini_);
        QCOMPARE(settings.Hex_FormLeft, 600);
        QVERIFY(ReadIniString("HexView", "Hex_FormLeft", ini_).empty());
    }
};

}  // namespace pelmora

int main(int argc, char** argv) {
    QTemporaryDir configDir;
    QFile config(configDir.filePath("screens.json"));
    if (!config.open(QIODevice::WriteOnly)) return 1;
    config.write(QStringLiteral(R"({"screens": [{"name": "second", "x": %1, "y": %2, "width": %3, "height": %4,
                                  "logicalDpi": 96}]})")
                     .arg(pelmora::kScreen.x())
                     .arg(pelmora::kScreen.y())
                     .arg(pelmora::kScreen.width())
                     .arg(pelmora::kScreen.height())
                     .toUtf8());
    config.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + QFile::encodeName(config.fileName()));
    QApplication app(argc, argv);
    pelmora::WindowPositionTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "window_position_test.moc"
