// Start-up and shutdown of the main window.

#include <QComboBox>
#include <QImage>
#include <QScreen>
#include <QtTest>
#include <cerrno>
#include <system_error>

#include "app/ui/browser_controller.h"
#include "app/ui/main_window_texts.h"
#include "app/ui/picture_panel.h"
#include "common/ui/window_position.h"
#include "i18n/ui/translated_text.h"
#include "tests/app/ui/window_fixture.h"

using namespace pelmora;
using namespace pelmora::testing;

class StartupTest : public QObject {
    Q_OBJECT

private:
    // The window frame is only known once the window shows, so centring uses the size the
    // window had before; the frame may shift the result by its width.
    static bool Near(QPoint actual, QPoint expected) {
        return std::abs(actual.x() - expected.x()) <= 3 && std::abs(actual.y() - expected.y()) <= 3;
    }

    static QPoint Centred(MainWindow& window) {
        const QRect screen = window.screen()->geometry();
        const QSize size = window.frameGeometry().size();
        return {screen.left() + (screen.width() - size.width()) / 2, screen.top() + (screen.height() - size.height()) / 2};
    }

private slots:
    void firstStartInAnEmptyFolderCreatesTheThreeFiles() {
        WindowFixture f;
        // No settings file at all: start-up writes the defaults itself.
        QVERIFY(f.StartAsIs());
        QVERIFY(f.dialogs.messages.empty());

        QCOMPARE(ReadFile(f.paths.iniPath), std::string(DefaultIniText()));
        QCOMPARE(ReadFile(f.paths.patternPath).substr(0, 10), std::string("*.*\r\n*.avi"));
        QVERIFY(!QImage(QString::fromStdString(f.paths.messagePicturePath), "JPG").isNull());

        QComboBox* combo = f.window->PatternBox();
        QCOMPARE(combo->count(), 24);
        QCOMPARE(combo->itemText(0), QString("*.*"));
        QCOMPARE(combo->itemText(23), QString("*.zip"));
        QCOMPARE(combo->currentText(), QString("*.*"));  // the list does not change the pattern

        QVERIFY(f.window->isVisible());
        const QPoint expected = Centred(*f.window);
        QVERIFY(Near(f.window->frameGeometry().topLeft(), expected));
        QVERIFY(f.window->Browser().FolderChangeSelectsAll());
    }

    void existingPatternAndPictureFilesAreKept() {
        WindowFixture f;
        std::filesystem::create_directories(f.paths.settingsFolder);
        WriteFile(f.paths.patternPath, "*.mine\r\n");
        WriteFile(f.paths.messagePicturePath, "not replaced");
        QVERIFY(f.Start());
        QCOMPARE(ReadFile(f.paths.patternPath), std::string("*.mine\r\n"));
        QCOMPARE(ReadFile(f.paths.messagePicturePath), std::string("not replaced"));
        QCOMPARE(f.window->PatternBox()->count(), 1);
    }

    void savedPositionIsUsedOnlyInsideTheScreen_data() {
        QTest::addColumn<QString>("useSaved");
        QTest::addColumn<int>("left");
        QTest::addColumn<int>("top");
        QTest::addColumn<bool>("atSaved");
        QTest::newRow("inside") << "1" << 300 << 450 << true;
        QTest::newRow("flag off") << "0" << 300 << 450 << false;
        QTest::newRow("zero left") << "1" << 0 << 450 << false;
        QTest::newRow("negative top") << "1" << 300 << -15 << false;
        QTest::newRow("off the right edge") << "1" << 1000000 << 450 << false;
        QTest::newRow("off the bottom edge") << "1" << 300 << 1000000 << false;
    }
    void savedPositionIsUsedOnlyInsideTheScreen() {
        QFETCH(QString, useSaved);
        QFETCH(int, left);
        QFETCH(int, top);
        QFETCH(bool, atSaved);
        WindowFixture f;
        f.PrepareIni({{"LastFormPosition", useSaved.toStdString()},
                      {"FormLeft", std::to_string(left)},
                      {"FormTop", std::to_string(top)}});
        QVERIFY(f.Start());
        const double dpi = f.window->logicalDpiX();
        const QRect screen = f.window->screen()->geometry();
        const QPoint expected = atSaved ? QPoint(screen.left() + TwipsToPixels(left, dpi), screen.top() + TwipsToPixels(top, dpi))
                                        : Centred(*f.window);
        QVERIFY(Near(f.window->frameGeometry().topLeft(), expected));
    }

    void closingWritesThePositionInTwips() {
        WindowFixture f;
        QVERIFY(f.Start());
        f.window->move(45, 30);
        QCoreApplication::processEvents();
        QSignalSpy closed(f.window.get(), &MainWindow::closed);
        const TwipsPoint position = PositionOnScreen(*f.window);
        const int leftTwips = position.left;
        const int topTwips = position.top;
        QVERIFY(leftTwips > 0);
        f.window->close();
        QCOMPARE(closed.count(), 1);
        QCOMPARE(ReadIniInt("Pelmora", "FormLeft", f.paths.iniPath), leftTwips);
        QCOMPARE(ReadIniInt("Pelmora", "FormTop", f.paths.iniPath), topTwips);
        QCOMPARE(f.settings.FormLeft, leftTwips);
        // Nothing else of the file changes.
        QCOMPARE(ReadIniString("Pelmora", "Kugiri", f.paths.iniPath), std::string(","));
    }

    void failingStepsStopStartUpWithOneMessage_data() {
        QTest::addColumn<int>("failingStep");
        QTest::addColumn<int>("error");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("beeps");
        QTest::newRow("no medium for the pattern file")
            << int(StartupStep::PatternFile) << ENOMEDIUM << QTranslated(texts::kStartupDriveUnavailable) << 1;
        QTest::newRow("device gone while loading")
            << int(StartupStep::LoadSettings) << ENXIO << QTranslated(texts::kStartupDriveUnavailable) << 1;
        QTest::newRow("write-protected folder")
            << int(StartupStep::PatternFile) << EACCES << QTranslated(texts::kStartupFailed) << 0;
        QTest::newRow("fonts") << int(StartupStep::Fonts) << 0 << QTranslated(texts::kStartupFailed) << 0;
    }
    void failingStepsStopStartUpWithOneMessage() {
        QFETCH(int, failingStep);
        QFETCH(int, error);
        QFETCH(QString, message);
        QFETCH(int, beeps);
        WindowFixture f;
        std::vector<StartupStep> ran;
        StartupHooks hooks;
        hooks.beforeStep = [&](StartupStep step) {
            ran.push_back(step);
            if (int(step) != failingStep) return;
            if (error) throw std::system_error(error, std::generic_category(), "injected");
            throw std::runtime_error("injected");
        };
        QVERIFY(!f.Start(hooks));
        QCOMPARE(f.dialogs.messages.size(), std::size_t(1));
        QCOMPARE(QString::fromStdString(f.dialogs.messages.front()), message);
        QCOMPARE(f.dialogs.beeps, beeps);
        QVERIFY(f.window->isVisible());
        QCOMPARE(int(ran.back()), failingStep);  // no later step ran
        const bool patternWritten = std::filesystem::exists(f.paths.patternPath);
        QCOMPARE(patternWritten, failingStep > int(StartupStep::PatternFile));
    }

    // The message names the key and the value that stopped the start, as written.
    void fontSizeThatIsNoNumberFailsStartUpNamingTheKey() {
        for (const char* key : {"FolderFontSize", "FileFontSize"}) {
            WindowFixture f;
            f.PrepareIni({{key, "abc"}});
            QVERIFY(!f.Start());
            QCOMPARE(f.dialogs.messages, std::vector<std::string>{"初期設定に失敗しました。\n" + std::string(key) + "=abc"});
        }
    }

    void settingsPointTheBrowserAtDirPathAndPattern() {
        WindowFixture f;
        f.AddData({"a.txt", "b.csv", "c.TXT"});
        WriteFile(f.Data("not-a-picture.bmp"), "plain text");
        f.PrepareIni({{"Pattern", "*.txt"}, {"FreePicture1", f.Data("not-a-picture.bmp")}});
        QVERIFY(f.Start());
        QCOMPARE(f.window->Browser().CurrentFolder(), f.DataFolder());
        QCOMPARE(f.window->PatternBox()->currentText(), QString("*.txt"));
        const BrowserState state = f.window->Browser().State();
        QCOMPARE(state.entries, (std::vector<std::string>{"a.txt", "c.TXT"}));
        QCOMPARE(state.selected, (std::vector<bool>{true, true}));
        // A picture that cannot be loaded leaves the panel empty, without a word.
        QVERIFY(f.dialogs.messages.empty());
        QVERIFY(!f.window->Pictures().HasPicture());
    }
};

QTEST_MAIN(StartupTest)
#include "startup_test.moc"
