// The help menu of the running program: Readme.txt and the About box.

#include <QAction>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScreen>
#include <QSignalSpy>

#include "app/ui/help_commands.h"
#include "app/ui/main_window_names.h"
#include "tests/app/ui/window_fixture.h"
#include "tests/support/fake_desktop_opener.h"
#include "tests/support/fake_process_starter.h"
#include "tools/help/readme_file.h"
#include "tools/help/ui/about_box.h"
#include "tools/help/ui/about_names.h"
#include "tools/help/ui/document_opener.h"

using namespace pelmora;
using namespace pelmora::testing;
namespace names = pelmora::about_names;

class AboutBoxTest : public QObject {
    Q_OBJECT

    static QColor TextColour(const QWidget& box, const char* label) {
        return box.findChild<QLabel*>(label)->palette().color(QPalette::WindowText);
    }
    // The pointer moves over a part of the box with no button held.
    static void MoveOver(QWidget& box, const char* name) {
        QWidget* target = name ? box.findChild<QWidget*>(name) : &box;
        const QPointF at = name ? QPointF(target->rect().center()) : QPointF(2, 2);
        QMouseEvent move(QEvent::MouseMove, at, target->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(target, &move);
    }

private slots:
    void theBuildsReadmeLiesBesideTheProgram() {
        QVERIFY(!FindReadme(QCoreApplication::applicationDirPath().toStdString()).empty());
    }

    void readmeMenuOpensTheFileOrSaysItIsMissing() {
        WindowFixture f;
        FakeProcessStarter starter;
        f.starter = &starter;
        QVERIFY(f.Start());
        QAction* readme = f.window->findChild<QAction*>(main_window_names::kReadmeMenu);
        readme->trigger();
        QCOMPARE(f.dialogs.messages, std::vector<std::string>{"Readme.txtが見つかりません"});
        QVERIFY(starter.calls.empty());

        WriteFile(f.paths.programFolder + "/Readme.txt", "text");
        readme->trigger();
        QCOMPARE(starter.calls, std::vector<std::string>{"open|" + f.paths.programFolder + "/Readme.txt"});
    }

    // The system's opener, played by a script on PATH: its failure is told with the file's
    // name, its absence shows the text in a window of the program's own, and the window
    // thread goes on while the opener runs.
    void readmeOpenerOutcomesAreFollowedUp() {
        FakeDesktopOpener opener;
        WindowFixture f;
        QVERIFY(f.Start());
        const std::string readme = f.paths.programFolder + "/Readme.txt";
        const std::string content = "Pelmora  Readme\n\n■ Pelmora とは\n";
        WriteFile(readme, content);
        QAction* entry = f.window->findChild<QAction*>(main_window_names::kReadmeMenu);
        QSignalSpy reports(&f.window->Help().Opener(), &DocumentOpener::reported);

        opener.Install(4, /*held=*/true);
        entry->trigger();
        QTRY_COMPARE(opener.Argument(), readme);
        QCOMPARE(reports.size(), 0);
        opener.Release();
        QTRY_COMPARE(reports.size(), 1);
        QCOMPARE(f.dialogs.messages, std::vector<std::string>{"ファイルを開けませんでした\n" + readme});

        opener.Install(0);
        entry->trigger();
        QTRY_COMPARE(reports.size(), 2);
        QCOMPARE(f.dialogs.messages.size(), std::size_t{1});
        QVERIFY(f.window->Help().Opener().TextWindow() == nullptr);

        opener.Remove();
        entry->trigger();
        QTRY_COMPARE(reports.size(), 3);
        QCOMPARE(f.dialogs.messages.size(), std::size_t{1});
        QPlainTextEdit* text = f.window->Help().Opener().TextWindow();
        QVERIFY(text != nullptr && text->isVisible() && text->isWindow());
        QVERIFY(text->isReadOnly());
        QCOMPARE(text->windowTitle(), QString("Readme.txt"));
        QCOMPARE(text->toPlainText(), QString::fromStdString(content));
    }

    void aboutBoxShowsTheProgramHighlightsAndCloses() {
        WindowFixture f;
        FakeProcessStarter starter;
        f.starter = &starter;
        QVERIFY(f.Start());
        QAction* version = f.window->findChild<QAction*>(main_window_names::kVersionMenu);
        version->trigger();
        AboutBox* box = f.window->Help().About();
        QVERIFY(box && box->isVisible());
        QVERIFY(!version->isEnabled());
        QCOMPARE(box->objectName(), QString("Form8"));
        QVERIFY(box->windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(box->palette().color(QPalette::Window), QColor(64, 0, 0));
        QVERIFY(!box->findChild<QLabel*>(names::kPicture)->pixmap().isNull());
        QLabel* product = box->findChild<QLabel*>(names::kProductLabel);
        QCOMPARE(product->text(), QString("Pelmora"));
        QVERIFY(product->font().bold());
        QCOMPARE(box->findChild<QLabel*>(names::kVersionLabel)->text(), QString("Version 1.60"));
        // No home page: the label names the documentation, here not found beside the program.
        QLabel* link = box->findChild<QLabel*>(names::kLinkLabel);
        QCOMPARE(link->text(), QString("Readme.txt"));
        QCOMPARE(link->toolTip(), QString("ダブルクリックするとReadme.txtを開きます"));
        QVERIFY(box->isWindow() && box->parentWidget() == f.window.get());
        QCOMPARE(TextColour(*box, names::kLinkLabel), QColor(Qt::white));
        // Centred on the screen.
        const QRect screen = box->screen()->geometry();
        QVERIFY(qAbs(box->frameGeometry().center().x() - screen.center().x()) <= 1);
        QVERIFY(qAbs(box->frameGeometry().center().y() - screen.center().y()) <= 1);

        MoveOver(*box, names::kLinkLabel);
        QCOMPARE(TextColour(*box, names::kLinkLabel), QColor(192, 255, 255));
        MoveOver(*box, names::kCloseLabel);
        QCOMPARE(TextColour(*box, names::kCloseLabel), QColor(192, 255, 255));
        // Back over the background both return to light grey.
        MoveOver(*box, nullptr);
        QCOMPARE(TextColour(*box, names::kLinkLabel), QColor(224, 224, 224));
        QCOMPARE(TextColour(*box, names::kCloseLabel), QColor(224, 224, 224));
        MoveOver(*box, names::kLinkLabel);
        MoveOver(*box, names::kVersionLabel);
        QCOMPARE(TextColour(*box, names::kLinkLabel), QColor(224, 224, 224));

        QTest::mouseDClick(link, Qt::LeftButton);
        QVERIFY(starter.calls.empty());
        QCOMPARE(f.dialogs.messages, std::vector<std::string>{"Readme.txtが見つかりません"});

        QTest::mouseClick(box->findChild<QLabel*>(names::kCloseLabel), Qt::LeftButton);
        QVERIFY(!box->isVisible());
        QVERIFY(version->isEnabled());

        // Opened again it names the readme that is there now, and opens it.
        const std::string readme = f.paths.programFolder + "/Readme.txt";
        WriteFile(readme, "text");
        version->trigger();
        QVERIFY(box->isVisible());
        QCOMPARE(link->text(), QString::fromStdString(readme));
        QTest::mouseDClick(link, Qt::LeftButton);
        QCOMPARE(starter.calls, std::vector<std::string>{"open|" + readme});
    }
};

QTEST_MAIN(AboutBoxTest)
#include "about_box_test.moc"
