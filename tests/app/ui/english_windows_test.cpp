// Under an English locale every window and dialog speaks English: no Japanese character in
// any caption, menu, button, tab, tooltip, header or message, except the user's own data.

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTabWidget>
#include <QTimer>
#include <QtTest>
#include <cstdlib>

#include "app/ui/docked_windows.h"
#include "app/ui/help_commands.h"
#include "app/ui/main_window_names.h"
#include "app/ui/progress_dialog.h"
#include "app/ui/qt_translations.h"
#include "app/ui/smb_credentials_dialog.h"
#include "i18n/language_choice.h"
#include "settings/dialog_bindings.h"
#include "tests/app/ui/window_fixture.h"
#include "tests/support/fake_network_discovery.h"
#include "tools/network/ui/net_drive_dialogs.h"

using namespace pelmora;
using namespace pelmora::testing;
namespace names = pelmora::main_window_names;

namespace {

bool IsJapanese(QChar c) {
    const char16_t u = c.unicode();
    return (u >= 0x3000 && u <= 0x30FF) || (u >= 0x4E00 && u <= 0x9FFF) || (u >= 0xFF00 && u <= 0xFFEF);
}

// The texts a user reads on the widget and everything in it, each with where it was found.
QStringList ShownTexts(QWidget* top) {
    QStringList texts;
    auto add = [&texts](const QObject* where, const QString& text) {
        if (!text.isEmpty()) texts << where->metaObject()->className() + QString("/") + where->objectName() + ": " + text;
    };
    QList<QWidget*> widgets = top->findChildren<QWidget*>();
    widgets.prepend(top);
    for (QWidget* w : widgets) {
        if (w->isWindow()) add(w, w->windowTitle());
        add(w, w->toolTip());
        if (auto* label = qobject_cast<QLabel*>(w)) add(w, label->text());
        if (auto* button = qobject_cast<QAbstractButton*>(w)) add(w, button->text());
        if (auto* group = qobject_cast<QGroupBox*>(w)) add(w, group->title());
        if (auto* edit = qobject_cast<QLineEdit*>(w)) add(w, edit->placeholderText());
        if (auto* menu = qobject_cast<QMenu*>(w)) add(w, menu->title());
        if (auto* tabs = qobject_cast<QTabWidget*>(w)) {
            for (int i = 0; i < tabs->count(); ++i) add(w, tabs->tabText(i) + tabs->tabToolTip(i));
        }
        if (auto* view = qobject_cast<QAbstractItemView*>(w); view && view->model()) {
            for (int column = 0; column < view->model()->columnCount(); ++column)
                add(w, view->model()->headerData(column, Qt::Horizontal).toString());
        }
        for (const QAction* action : w->actions()) {
            add(action, action->text());
            add(action, action->toolTip());
        }
    }
    return texts;
}

// The texts holding a Japanese character once the user's data is taken out of them.
QStringList JapaneseTexts(const QStringList& texts, const QStringList& userData) {
    QStringList found;
    for (QString text : texts) {
        for (const QString& data : userData) text.remove(data);
        if (std::any_of(text.begin(), text.end(), IsJapanese)) found << text;
    }
    return found;
}

QStringList JapaneseTexts(const std::vector<std::string>& texts) {
    QStringList all;
    for (const std::string& text : texts) all << QString::fromStdString(text);
    return JapaneseTexts(all, {});
}

}  // namespace

class EnglishWindowsTest : public QObject {
    Q_OBJECT

private slots:
    void theLanguageIsEnglishAndItsCatalogueIsLoaded() {
        QCOMPARE(UiLanguageOfThisProcess(), UiLanguage::English);
        QVERIFY(!ProgramTranslationsFolder().isEmpty());
    }

    void everyWindowAndDialogShowsEnglishOnly() {
        WindowFixture f;
        f.AddData({"a.txt", "b.bin", "sub/"});
        QVERIFY(f.Start());
        FakeNetworkDiscovery network = FakeNetworkDiscovery::SmallNetwork();
        f.window->Docked().SetNetworkDiscovery(&network);
        QStringList shown, windows;
        auto scanVisibleWindows = [&] {
            for (QWidget* top : QApplication::topLevelWidgets()) {
                if (!top->isVisible()) continue;
                windows << top->objectName();
                shown << ShownTexts(top);
            }
        };
        // Jump and the network window take the same place, so each is read while it is open.
        f.window->Docked().OpenJump();
        scanVisibleWindows();
        f.window->Docked().OpenNetwork();
        f.window->Docked().OpenSettings();
        for (const char* entry : {names::kChoiViewMenu, names::kHexViewMenu, names::kAclViewMenu})
            f.window->findChild<QAction*>(entry)->trigger();
        f.window->Help().ShowAbout();
        CancelFlag cancel;
        ProgressDialog progress(cancel, f.window.get());
        progress.Open("", true);
        NetDriveConnectDialog connect(nullptr);
        connect.show();
        NetDriveDisconnectDialog disconnect({"//server/share"}, nullptr);
        disconnect.show();
        scanVisibleWindows();

        // The font names of the settings are the user's (the defaults name Japanese fonts).
        QStringList userData;
        for (const char* key : {"FolderFontName", "FileFontName", "JumpFontName", "NetViewFontName"})
            userData << QString::fromStdString(BoundValue(f.settings, key));
        for (const char* expected : {"Form1", "Form2", "Form3", "Form4", "Form5", "Form6", "Form7", "Form8", "Form9"})
            QVERIFY2(windows.contains(expected), qPrintable(windows.join(", ")));
        QVERIFY2(shown.size() > 100, qPrintable(QString::number(shown.size())));
        const QStringList japanese = JapaneseTexts(shown, userData);
        QVERIFY2(japanese.isEmpty(), qPrintable(japanese.join('\n')));
    }

    void theCredentialDialogShowsEnglishOnly() {
        QtSmbCredentialAsker asker(nullptr);
        QStringList shown;
        QTimer::singleShot(0, [&shown] {
            QTRY_VERIFY_WITH_TIMEOUT(QApplication::activeModalWidget() != nullptr, 5000);
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            shown = ShownTexts(dialog);
            dialog->reject();
        });
        QVERIFY(!asker.Ask("fileserver", "docs", true).has_value());
        QVERIFY(shown.size() >= 5);
        const QStringList japanese = JapaneseTexts(shown, {});
        QVERIFY2(japanese.isEmpty(), qPrintable(japanese.join('\n')));
    }

    // The core's questions and messages come through the same catalogue.
    void questionsAndMessagesAreEnglish() {
        WindowFixture f;
        f.AddData({"a.txt", "sub/"});
        QVERIFY(f.Start());
        f.dialogs.answer = false;
        f.Click(names::kFolderTreeButton);
        f.Click(names::kListAllFilesBelowButton);
        f.dialogs.answer = true;
        f.Click(names::kListAllFilesBelowButton);
        QVERIFY(!f.dialogs.questions.empty());
        QVERIFY(f.dialogs.messages.size() >= 2);
        QVERIFY2(JapaneseTexts(f.dialogs.questions).isEmpty(), f.dialogs.questions[0].c_str());
        QVERIFY2(JapaneseTexts(f.dialogs.messages).isEmpty(), f.dialogs.messages.back().c_str());
        QCOMPARE(QString::fromStdString(f.dialogs.messages.back()), QString("Copied to the clipboard.\r\nFiles: 1"));
    }
};

int main(int argc, char** argv) {
    // An English locale, whatever the machine's, before Qt reads it.
    for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES"}) unsetenv(name);
    setenv("LANG", "C.UTF-8", 1);
    QApplication app(argc, argv);
    InstallTranslations(app, UiLanguageOfThisProcess());
    EnglishWindowsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "english_windows_test.moc"
