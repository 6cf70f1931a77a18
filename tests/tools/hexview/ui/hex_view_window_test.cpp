#include "tools/hexview/ui/hex_view_window.h"

#include <QApplication>
#include <QFile>
#include <QFontInfo>
#include <QGlyphRun>
#include <QLabel>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QScreen>
#include <QSignalSpy>
#include <QTextLayout>
#include <QTest>
#include <QUrl>

#include "common/window_placement.h"
#include "tests/tools/common/ui/tool_window_fixture.h"
#include "settings/ini_access.h"
#include "tools/hexview/hex_dump_text.h"
#include "tools/hexview/ui/hex_view_names.h"
#include "tools/common/ui/middle_elided_label.h"
#include "tools/common/ui/tool_window_support.h"

namespace pelmora {

namespace names = hex_view_names;

class HexViewWindowTest : public QObject {
    Q_OBJECT

private:
    testing::ToolWindowFolder folder_;
    const std::string ini_ = folder_.ini;

    static QString Text(const HexViewWindow& w, const char* name) {
        if (auto* label = w.findChild<QLabel*>(name)) return label->text();
        return w.findChild<QPlainTextEdit*>(name)->toPlainText();
    }
    static double Dpi(const QWidget& w) { return w.logicalDpiX(); }

private slots:
    void opensEmptyWithTheReadCountAndFixedFont() {
        Settings settings;
        settings.Hex_ReadByte = 4096;
        HexViewWindow w(settings, ini_);
        w.OpenAtPlacement();
        QCOMPARE(w.objectName(), QString(names::kWindow));
        QCOMPARE(w.windowTitle(), QStringLiteral("HexView"));
        QCOMPARE(Text(w, names::kPathLabel), QStringLiteral("Path:[ ]"));
        QCOMPARE(Text(w, names::kReadCountLabel), QString::fromUtf8("先頭より 4,096byte読み込みます"));
        QCOMPARE(Text(w, names::kUpdateLabel), QStringLiteral("Update:[ ]"));
        QCOMPARE(Text(w, names::kSizeLabel), QStringLiteral("Size:[ ]"));
        QVERIFY(Text(w, names::kDumpText).isEmpty());
        auto* box = w.findChild<QPlainTextEdit*>(names::kDumpText);
        QVERIFY(box->isReadOnly());
        QVERIFY(QFontInfo(box->font()).fixedPitch());
        // The whole dump line fits without scrolling sideways.
        QVERIFY(box->viewport()->width() >= QFontMetrics(box->font()).horizontalAdvance(QString(75, 'W')));
    }

    void readCountLabelIsDrawnInOneFont() {
        Settings settings;
        settings.Hex_ReadByte = 4096;
        HexViewWindow w(settings, ini_);
        w.OpenAtPlacement();
        auto* label = w.findChild<QLabel*>(names::kReadCountLabel);
        QTextLayout layout(label->text(), label->font());
        layout.beginLayout();
        layout.createLine();
        layout.endLayout();
        QSet<QString> families;
        for (const QGlyphRun& run : layout.glyphRuns()) families.insert(run.rawFont().familyName());
        if (families.isEmpty()) QSKIP("no font draws Japanese here");
        QCOMPARE(families.size(), 1);
    }

    void followShowsDumpAndLabelsReopenStartsEmpty() {
        Settings settings;
        settings.Hex_ReadByte = 1024;
        HexViewWindow w(settings, ini_);
        w.OpenAtPlacement();
        const std::string path = folder_.WriteFile("two words.txt", QByteArray(1234, 'z'));
        w.FollowPath(path);
        const QString dump = QString::fromStdString(HexDumpText(path, 1024));
        QCOMPARE(Text(w, names::kDumpText), QString(dump).replace("\r\n", "\n"));
        QCOMPARE(Text(w, names::kPathLabel), QString::fromStdString("Path:[ " + path + " ]"));
        QCOMPARE(Text(w, names::kSizeLabel), QStringLiteral("Size:[ 1,234byte ]"));
        QVERIFY(Text(w, names::kUpdateLabel).startsWith("Update:[ 20"));

        // A read count changed meanwhile is shown once the window opens again.
        settings.Hex_ReadByte = 65536;
        w.close();
        w.OpenAtPlacement();
        QCOMPARE(Text(w, names::kPathLabel), QStringLiteral("Path:[ ]"));
        QCOMPARE(Text(w, names::kReadCountLabel), QString::fromUtf8("先頭より 65,536byte読み込みます"));
        QVERIFY(Text(w, names::kDumpText).isEmpty());
    }

    void longPathIsCutInTheMiddleKeepingNameAndBracket() {
        Settings settings;
        HexViewWindow w(settings, ini_);
        w.OpenAtPlacement();
        const std::string path = folder_.WriteFile(QString(200, QLatin1Char('d')) + "_end.bin");
        w.FollowPath(path);
        auto* label = w.findChild<MiddleElidedLabel*>(names::kPathLabel);
        const QString whole = QString::fromStdString("Path:[ " + path + " ]");
        QCOMPARE(label->text(), whole);
        QCOMPARE(label->toolTip(), whole);
        const QString shown = label->ShownText();
        QVERIFY2(shown.size() < whole.size() && shown.startsWith("Path:[ ") && shown.endsWith("_end.bin ]"),
                 qPrintable(shown));
    }

    void dropShowsTheFirstFileOnlyAndIgnoresOtherData() {
        Settings settings;
        settings.Hex_ReadByte = 16;
        HexViewWindow w(settings, ini_);
        w.OpenAtPlacement();  // a hidden window takes no drops
        const std::string first = folder_.WriteFile("first.bin", "ABCDEFGHIJKLMNOPQRSTUVWXYZ");
        const std::string second = folder_.WriteFile("second.bin", "second");
        auto* files = new QMimeData;
        files->setUrls({QUrl::fromLocalFile(QString::fromStdString(first)), QUrl::fromLocalFile(QString::fromStdString(second))});
        testing::Drop(w, files);
        QCOMPARE(Text(w, names::kPathLabel), QString::fromStdString("Path:[ " + first + " ]"));
        QCOMPARE(Text(w, names::kDumpText), QString::fromStdString(HexDumpText(first, 16)).replace("\r\n", "\n"));

        auto* text = new QMimeData;
        text->setText(QString::fromStdString(second));
        testing::Drop(w, text);
        QCOMPARE(Text(w, names::kPathLabel), QString::fromStdString("Path:[ " + first + " ]"));
        delete files;
        delete text;

        // Labels and the text pass drops on to the window.
        QVERIFY(w.acceptDrops());
        for (QWidget* child : w.findChildren<QWidget*>()) QVERIFY2(!child->acceptDrops(), qPrintable(child->objectName()));
    }

    void droppedUrlKeepsTheFileSystemBytes() {
        QCOMPARE(FilePathOfUrl(QUrl::fromEncoded("file:///tmp/a%FFb%20c")).value(), std::string("/tmp/a\xFF" "b c"));
        QCOMPARE(FilePathOfUrl(QUrl::fromEncoded("file:///tmp/%E6%BC%A2.txt")).value(), std::string("/tmp/漢.txt"));
        QCOMPARE(FilePathOfUrl(QUrl::fromEncoded("file://server/share/x.txt")).value(), std::string("//server/share/x.txt"));
        QVERIFY(!FilePathOfUrl(QUrl::fromEncoded("https://example.org/x.txt")).has_value());
    }

    void placementFollowsTheSavedFlagAndTheScreen() {
        struct Case {
            const char* flag;
            int left, top;
            bool saved;
        };
        const Case cases[] = {
            {"1", 1500, 1200, true},     // inside the screen
            {"0", 1500, 1200, false},    // flag off
            {"1", 1000000, 1200, false},  // past the right edge
            {"1", 1500, 1000000, false},  // past the bottom
        };
        for (const Case& c : cases) {
            Settings settings;
            settings.Hex_LastFormPosition = c.flag;
            settings.Hex_FormLeft = c.left;
            settings.Hex_FormTop = c.top;
            HexViewWindow w(settings, ini_);
            w.OpenAtPlacement();
            const QRect screen = w.screen()->geometry();
            const QRect frame = w.frameGeometry();
            if (c.saved) {
                QCOMPARE(frame.topLeft(), QPoint(TwipsToPixels(c.left, Dpi(w)), TwipsToPixels(c.top, Dpi(w))) + screen.topLeft());
            } else {
                const QPoint centre = screen.center() - frame.center();
                QVERIFY2(std::abs(centre.x()) <= 1 && std::abs(centre.y()) <= 1,
                         qPrintable(QString("%1 %2 %3").arg(c.flag).arg(c.left).arg(c.top)));
            }
            w.close();
        }
    }

    void closeWritesThePositionAndReopensThere() {
        Settings settings;
        settings.Hex_LastFormPosition = "1";
        auto* w = new HexViewWindow(settings, ini_);
        QSignalSpy closed(w, &HexViewWindow::closed);
        w->OpenAtPlacement();
        const QPoint target = w->screen()->geometry().topLeft() + QPoint(40, 30);
        w->move(target);
        QTRY_COMPARE(w->pos(), target);
        const TwipsPoint expected{PixelsToTwips(40, Dpi(*w)), PixelsToTwips(30, Dpi(*w))};
        w->close();
        QCOMPARE(closed.count(), 1);
        QCOMPARE(settings.Hex_FormLeft, expected.left);
        QCOMPARE(settings.Hex_FormTop, expected.top);
        QCOMPARE(ReadIniInt("HexView", "Hex_FormLeft", ini_), expected.left);
        QCOMPARE(ReadIniInt("HexView", "Hex_FormTop", ini_), expected.top);
        delete w;

        HexViewWindow again(settings, ini_);
        again.OpenAtPlacement();
        QCOMPARE(again.frameGeometry().topLeft(), again.screen()->geometry().topLeft() + QPoint(40, 30));
    }
};

}  // namespace pelmora

QTEST_MAIN(pelmora::HexViewWindowTest)
#include "hex_view_window_test.moc"
