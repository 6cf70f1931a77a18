// The settings dialog in the running program: its pages and controls, loading, the rules
// of the controls, the acts at once on other windows, saving and closing by the frame.

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QSlider>
#include <QTabWidget>

#include "app/ui/browser_controller.h"
#include "app/ui/docked_windows.h"
#include "app/ui/main_window_names.h"
#include "settings/dialog_bindings.h"
#include "settings/ini_access.h"
#include "tools/settings/ui/settings_dialog.h"
#include "tools/settings/ui/settings_dialog_names.h"
#include "tests/app/ui/window_fixture.h"
#include "tools/jump/ui/elided_path_button.h"
#include "tools/jump/ui/jump_window.h"

using namespace pelmora;
using namespace pelmora::testing;
namespace names = pelmora::settings_dialog_names;

class SettingsDialogTest : public QObject {
    Q_OBJECT

    std::vector<ProgramChoiceStart> programRequests_;
    std::optional<std::string> programAnswer_;
    std::vector<FontSetting> fontPresets_;
    std::optional<FontSetting> fontAnswer_;

    SettingsDialog* Open(WindowFixture& f) {
        f.window->Docked().SetSettingsChoosers(
            [this](const ProgramChoiceStart& start) {
                programRequests_.push_back(start);
                return programAnswer_;
            },
            [this](const FontSetting& preset) {
                fontPresets_.push_back(preset);
                return fontAnswer_;
            });
        f.window->findChild<QAction*>(main_window_names::kSettingMenu)->trigger();
        return f.window->Docked().SettingsWindow();
    }
    template <typename Widget>
    static Widget* Find(QWidget* dialog, const QString& name) {
        Widget* widget = dialog->findChild<Widget*>(name);
        if (!widget) qWarning() << "missing" << name;
        return widget;
    }
    static QCheckBox* Check(QWidget* dialog, const char* name) { return Find<QCheckBox>(dialog, name); }
    // A click as the user's (the box may be on a tab that is not in front).
    static void Click(QWidget* dialog, const char* name) { Check(dialog, name)->click(); }
    // Types the text into the box, then leaves it.
    static void Enter(QWidget* dialog, const char* name, const QString& text) {
        QLineEdit* edit = Find<QLineEdit>(dialog, name);
        edit->setText(text);
        emit edit->editingFinished();
    }

private slots:
    void everyControlIsThereDockedAtTheRight() {
        WindowFixture f;
        QVERIFY(f.Start());
        SettingsDialog* dialog = Open(f);
        QVERIFY(dialog && dialog->isVisible());
        QCOMPARE(dialog->objectName(), QString("Form3"));
        QCOMPARE(dialog->windowTitle(), QString("設定"));
        auto* tabs = Find<QTabWidget>(dialog, names::kTabs);
        QCOMPARE(tabs->count(), 10);
        QCOMPARE(tabs->tabText(0), QString("ファイル"));
        QCOMPARE(tabs->tabText(6), QString("ちょいView[3]"));
        QCOMPARE(tabs->tabText(9), QString("その他設定"));
        QCOMPARE(tabs->widget(2)->objectName(), QString("Frame19"));
        QCOMPARE(Find<QPushButton>(dialog, names::kSaveButton)->text(), QString("設定保存"));
        for (const ControlBinding& binding : SettingsDialogBindings()) {
            QWidget* control = Find<QWidget>(dialog, QString::fromUtf8(binding.control.data(), binding.control.size()));
            QVERIFY(control);
            auto* box = qobject_cast<QCheckBox*>(control);
            QCOMPARE(box != nullptr, binding.kind == ControlKind::Check);
            // A backslash shows in its fullwidth form (below).
            if (box) QCOMPARE(box->text().replace(QChar(0xFF3C), u'\\').toStdString(), std::string(binding.caption));
        }
        // A Japanese font draws an ASCII backslash as a yen sign: no caption may hold one.
        QCOMPARE(Check(dialog, "Check12")->text(), QString("＼マークを付加する"));
        for (const QCheckBox* box : dialog->findChildren<QCheckBox*>()) {
            QVERIFY2(!box->text().contains(u'\\'), qPrintable(box->text()));
        }
        for (const QLabel* label : dialog->findChildren<QLabel*>()) {
            QVERIFY2(!label->text().contains(u'\\'), qPrintable(label->text()));
        }
        QCOMPARE(Check(dialog, "Check10")->text(), QString("ショートファイル名を取得する"));
        for (int row = 1; row <= 5; ++row) QVERIFY(Find<QPushButton>(dialog, names::ExePathButton(row)));
        for (int row = 1; row <= 4; ++row) {
            QCOMPARE(Find<QPushButton>(dialog, names::FontButton(row))->text(), QString("フォント"));
        }

        const QRect main = f.window->frameGeometry();
        const QRect docked = dialog->frameGeometry();
        QCOMPARE(docked.left(), main.right() + 1);
        QCOMPARE(docked.top(), main.top());
        QCOMPARE(docked.height(), main.height());
        QAction* menu = f.window->findChild<QAction*>(main_window_names::kSettingMenu);
        QVERIFY(!menu->isEnabled());
        dialog->close();
        QVERIFY(menu->isEnabled());
    }

    void loadingShowsTheKeysAndKeepsTheJpegReadersApart() {
        WindowFixture f;
        f.PrepareIni({{"FileName", "1"}, {"DropSize", "1"}, {"Fol_RootGet3", "1"}, {"Kakomi", "'"},
                      {"ShowNetViewWindow", "1"}, {"ShellExeExt03", "txt"}, {"ShellExePath03", "/bin/true"},
                      {"FolderFontName", "DejaVu Sans"}, {"FolderFontSize", "9"}, {"FolderFontBold", "1"}});
        for (const auto& [key, value] : std::vector<std::pair<std::string, std::string>>{
                 {"CV_jpg", "1"}, {"CV_Su_jpg", "1"}, {"CV_Stealth", "77"}, {"CV_use_stealth", "0"}}) {
            WriteIniString("ChoiView", key, value, f.paths.iniPath);
        }
        WriteIniString("HexView", "Hex_ReadByte", "8192", f.paths.iniPath);
        QVERIFY(f.Start());
        SettingsDialog* dialog = Open(f);
        QVERIFY(Check(dialog, "Check9")->isChecked());
        QVERIFY(Check(dialog, "DL_Chk_Size")->isChecked());
        QVERIFY(!Check(dialog, "Check13")->isChecked());
        QVERIFY(Check(dialog, "Check47")->isChecked());
        QVERIFY(Check(dialog, "Check49")->isChecked());
        QVERIFY(!Check(dialog, "Check48")->isChecked());
        QVERIFY(Check(dialog, "CV_Check_jpg")->isChecked());
        QVERIFY(!Check(dialog, "CV_Check_Su_jpg")->isChecked());
        QCOMPARE(f.settings.CV_Su_jpg, std::string("0"));
        QCOMPARE(Find<QLineEdit>(dialog, "Text1")->text(), QString("'"));
        QCOMPARE(Find<QComboBox>(dialog, "Combo1")->currentText(), QString("8192"));
        QCOMPARE(Find<QComboBox>(dialog, "Combo1")->count(), 7);
        auto* slider = Find<QSlider>(dialog, "Slider1");
        QCOMPARE(slider->value(), 77);
        QVERIFY(!slider->isEnabled());
        QCOMPARE(Find<QLabel>(dialog, names::kSliderValueLabel)->text(), QString("77"));
        QVERIFY(!Find<QLabel>(dialog, names::kSliderValueLabel)->isEnabled());
        QCOMPARE(Find<QLineEdit>(dialog, "Ext_Text_3")->text(), QString("txt"));
        QCOMPARE(Find<QLineEdit>(dialog, "ExePath_Text_3")->text(), QString("/bin/true"));
        QCOMPARE(Find<QLabel>(dialog, names::FontLabel(1))->text(), QString("DejaVu Sans\r\nサイズ:9  太字"));
    }

    void checkBoxesWriteAtOnceAndPairsStayExclusive() {
        WindowFixture f;
        f.PrepareIni({{"ShowNetViewWindow", "1"}});
        QVERIFY(f.Start());
        SettingsDialog* dialog = Open(f);
        Click(dialog, "Check48");
        QCOMPARE(f.settings.ShowJumpWindow, std::string("1"));
        QCOMPARE(f.settings.ShowNetViewWindow, std::string("0"));
        QVERIFY(!Check(dialog, "Check49")->isChecked());
        Click(dialog, "Check48");
        QVERIFY(!Check(dialog, "Check49")->isChecked());
        QCOMPARE(f.settings.ShowJumpWindow, std::string("0"));

        Click(dialog, "CV_Check_Su_jpg");
        QVERIFY(!Check(dialog, "CV_Check_jpg")->isChecked());
        QCOMPARE(f.settings.CV_jpg, std::string("0"));
        QCOMPARE(f.settings.CV_Su_jpg, std::string("1"));

        const std::string before = f.settings.SFolderAttrib;
        Click(dialog, "Check33");
        QVERIFY(f.settings.SFolderAttrib != before);

        // Typing in the read-count box chooses nothing; only the items do.
        auto* combo = Find<QComboBox>(dialog, "Combo1");
        combo->setFocus();
        QTest::keyClicks(combo, "9");
        QCOMPARE(f.settings.Hex_ReadByte, 1024);
        combo->setCurrentIndex(3);
        emit combo->activated(3);
        QCOMPARE(f.settings.Hex_ReadByte, 8192);
    }

    void textBoxesTrimAndCanonicaliseTheLayoutTokens() {
        WindowFixture f;
        QVERIFY(f.Start());
        SettingsDialog* dialog = Open(f);
        Enter(dialog, "Text1", "<tab>");
        QCOMPARE(f.settings.Kakomi, std::string("<TAB>"));
        QCOMPARE(Find<QLineEdit>(dialog, "Text1")->text(), QString("<TAB>"));
        Enter(dialog, "Text1", "  ;  ");
        QCOMPARE(f.settings.Kakomi, std::string(";"));
        Enter(dialog, "Text1", "a<tab>");
        QCOMPARE(f.settings.Kakomi, std::string("a<tab>"));
        Enter(dialog, "Text2", "");
        QCOMPARE(f.settings.Kugiri, std::string());
        Enter(dialog, "Ext_Text_2", " log ");
        QCOMPARE(f.settings.ShellExeExt[1], std::string(" log "));

        // Text3 takes every change, keeping the caret where the typing goes on.
        QLineEdit* text3 = Find<QLineEdit>(dialog, "Text3");
        text3->clear();
        text3->setFocus();
        QTest::keyClicks(text3, " <crlf");
        QCOMPARE(f.settings.Fol_Kakomi, std::string("<crlf"));
        QTest::keyClicks(text3, ">");
        QCOMPARE(f.settings.Fol_Kakomi, std::string("<CRLF>"));
        QCOMPARE(text3->text(), QString("<CRLF>"));
        QCOMPARE(text3->cursorPosition(), 6);
    }

    // Opening the dialog only sets the display: the file the user chose stays the only one
    // listed, with hidden files off or on in the settings.
    void openingKeepsTheUsersSelection() {
        for (const char* hidden : {"0", "1"}) {
            WindowFixture f;
            f.AddData({"a.txt", "b.txt", "c.txt"});
            f.PrepareIni({{"FileHiddenFile", hidden}, {"FileSystemFile", hidden}});
            QVERIFY(f.Start());
            QListView* list = f.window->FileList();
            list->selectionModel()->select(list->model()->index(1, 0), QItemSelectionModel::ClearAndSelect);
            QVERIFY(Open(f) != nullptr);
            QCOMPARE(list->selectionModel()->selectedRows().size(), 1);
            f.Click(main_window_names::kListFilesButton);
            QCOMPARE(f.clipboard.text, std::string("\"b.txt\"\r\n"));
        }
    }

    void hiddenFilesShowAtOnceWithEveryFileSelected() {
        WindowFixture f;
        f.AddData({"a.txt", ".hidden"});
        f.PrepareIni({{"FileHiddenFile", "0"}});
        QVERIFY(f.Start());
        QCOMPARE(f.window->FileList()->model()->rowCount(), 1);
        SettingsDialog* dialog = Open(f);
        Click(dialog, "Check3");
        QCOMPARE(f.settings.FileHiddenFile, std::string("1"));
        QCOMPARE(f.window->FileList()->model()->rowCount(), 2);
        QCOMPARE(f.window->FileList()->selectionModel()->selectedRows().size(), 2);
    }

    void fontsAndProgramsComeFromTheirDialogsAndActAtOnce() {
        WindowFixture f;
        QVERIFY(f.Start());
        f.window->findChild<QAction*>(main_window_names::kJumpMenu)->trigger();
        SettingsDialog* dialog = Open(f);

        fontAnswer_ = FontSetting{"DejaVu Serif", "10.5", false, true};
        dialog->ChooseFont(1);
        QCOMPARE(f.settings.FolderFontName, std::string("DejaVu Serif"));
        QCOMPARE(f.settings.FolderFontSize, std::string("10.5"));
        QCOMPARE(f.settings.FolderFontItalic, std::string("1"));
        QCOMPARE(Find<QLabel>(dialog, names::FontLabel(1))->text(), QString("DejaVu Serif\r\nサイズ:10.5  斜体"));
        QWidget* folderList = f.window->findChild<QWidget*>(main_window_names::kFolderList);
        QCOMPARE(folderList->font().family(), QString("DejaVu Serif"));
        QCOMPARE(folderList->font().pointSizeF(), 10.5);

        dialog->ChooseFont(3);
        QCOMPARE(fontPresets_.back().name, std::string("ＭＳ Ｐゴシック"));
        QCOMPARE(f.window->Docked().Jump()->JumpButton(1)->font().family(), QString("DejaVu Serif"));

        fontAnswer_.reset();
        dialog->ChooseFont(2);
        QCOMPARE(f.settings.FileFontName, std::string("ＭＳ Ｐゴシック"));

        programAnswer_ = "/usr/bin/env";
        dialog->ChooseProgram(2);
        QVERIFY(!programRequests_.back().folder.empty());
        QVERIFY(programRequests_.back().fileName.empty());
        QCOMPARE(f.settings.ShellExePath[1], std::string("/usr/bin/env"));
        QCOMPARE(Find<QLineEdit>(dialog, "ExePath_Text_2")->text(), QString("/usr/bin/env"));
        programAnswer_.reset();
        dialog->ChooseProgram(2);
        QCOMPARE(programRequests_.back().folder, std::string("/usr/bin"));
        QCOMPARE(programRequests_.back().fileName, std::string("env"));
        QCOMPARE(f.settings.ShellExePath[1], std::string("/usr/bin/env"));
    }

    void saveWritesTheFileAndAFrameCloseKeepsChangesForTheRunOnly() {
        WindowFixture f;
        f.PrepareIni({{"FileSize", "0"}, {"Kugiri", ","}});
        QVERIFY(f.Start());
        SettingsDialog* dialog = Open(f);
        Click(dialog, "Check5");
        Enter(dialog, "Text2", "<Tab>");
        dialog->close();
        QCOMPARE(f.settings.FileSize, std::string("1"));
        QCOMPARE(ReadIniString("Pelmora", "FileSize", f.paths.iniPath), std::string("0"));
        QCOMPARE(ReadIniString("Pelmora", "Kugiri", f.paths.iniPath), std::string(","));
        QVERIFY(f.dialogs.messages.empty());

        dialog = Open(f);
        QVERIFY(Check(dialog, "Check5")->isChecked());
        Click(dialog, "Check8");
        Find<QPushButton>(dialog, names::kSaveButton)->click();
        QCOMPARE(ReadIniString("Pelmora", "FileSize", f.paths.iniPath), std::string("1"));
        QCOMPARE(ReadIniString("Pelmora", "Kugiri", f.paths.iniPath), std::string("<TAB>"));
        QCOMPARE(ReadIniString("Pelmora", "FileLastLineReturn", f.paths.iniPath), f.settings.FileLastLineReturn);
        QCOMPARE(f.dialogs.messages, std::vector<std::string>{"設定を保存しました"});
        QTRY_VERIFY(!f.window->Docked().SettingsWindow());
        QVERIFY(f.window->findChild<QAction*>(main_window_names::kSettingMenu)->isEnabled());
    }

    void aFailedSaveSaysSoWithThePathAndKeepsTheDialog() {
        WindowFixture f;
        QVERIFY(f.Start());
        // A file where the settings folder should be: no one can write there.
        const std::string blocked = f.folder / "blocked/Pelmora.ini";
        WriteFile(f.folder / "blocked", "file");
        SettingsDialogServices services;
        services.dialogs = &f.dialogs;
        SettingsDialog dialog(f.settings, blocked, services, nullptr);
        dialog.show();
        dialog.Save();
        QCOMPARE(f.dialogs.messages, std::vector<std::string>{"設定の保存に失敗しました\n" + blocked});
        QVERIFY(dialog.isVisible());
    }

    // A settings file made read-only stays as it is, also for the super-user.
    void aReadOnlySettingsFileIsNotWritten() {
        WindowFixture f;
        QVERIFY(f.Start());
        const std::string before = ReadFile(f.paths.iniPath);
        QVERIFY(std::filesystem::exists(f.paths.iniPath));
        std::filesystem::permissions(f.paths.iniPath, std::filesystem::perms(0444));
        SettingsDialog* dialog = Open(f);
        Click(dialog, "Check8");
        Find<QPushButton>(dialog, names::kSaveButton)->click();
        QCOMPARE(f.dialogs.messages, std::vector<std::string>{"設定の保存に失敗しました\n" + f.paths.iniPath});
        QCOMPARE(ReadFile(f.paths.iniPath), before);
        QVERIFY(dialog->isVisible());
    }
};

QTEST_MAIN(SettingsDialogTest)
#include "settings_dialog_test.moc"
