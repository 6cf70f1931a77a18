#pragma once
// Form3 "設定": the settings on ten tabs, docked at the main window's right. Every control
// writes its key the moment it changes, so the change acts at once; "設定保存" writes the
// file and closes. Closing by the frame keeps the changes for this run only.

#include <QWidget>
#include <functional>
#include <optional>
#include <string>

#include "i18n/ui_text.h"
#include "settings/font_setting.h"
#include "settings/program_choice.h"
#include "settings/settings_record.h"

class QCheckBox;
class QLabel;
class QLineEdit;

namespace pelmora {

class UserDialogs;
class WindowDock;
struct ControlBinding;

// The dialogs the window asks (tests answer them) and what acts at once on other windows.
struct SettingsDialogServices {
    UserDialogs* dialogs = nullptr;
    // The chosen program, nothing when cancelled. Empty: the file dialog.
    std::function<std::optional<std::string>(const ProgramChoiceStart&)> chooseProgram;
    // The chosen font, nothing when cancelled. Empty: the font dialog.
    std::function<std::optional<FontSetting>(const FontSetting& preset)> chooseFont;
    // The main window's file list shows hidden / system files (it re-reads only on a change).
    std::function<void(bool hidden, bool system)> showHiddenSystem;
    // The main window's file list selects every file (a click on Check3 or Check4).
    std::function<void()> selectAllFiles;
    // The fonts of the lists of the main window, as they are now (rows 1 and 2).
    std::function<FontSetting(int row)> currentListFont;
    // The font keys changed: the main window's lists and the open Jump window take them.
    std::function<void()> applyFonts;
    // The slider moved: ChoiView, when open and translucent, takes the alpha.
    std::function<void(int alpha)> applyOpacity;
};

class SettingsDialog : public QWidget {
    Q_OBJECT
public:
    SettingsDialog(Settings& settings, std::string iniPath, SettingsDialogServices services, QWidget* parent);

    // Docks at the main window's right and shows; chase mode from ChaseSettingWindow.
    void Open(QWidget& mainWindow);

    void ChooseProgram(int row);  // ExePath_Button(n)
    void ChooseFont(int row);     // Font_Button(n)
    void Save();                  // 設定保存

signals:
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* BuildGridPage(int page, UiText frameCaption);
    QWidget* BuildFiles2Page();
    QWidget* BuildTreePage();
    QWidget* BuildChoiViewPage(int page);
    QWidget* BuildHexViewPage();
    QWidget* BuildLaunchPage();
    QWidget* BuildOtherPage();
    QCheckBox* AddCheck(const ControlBinding& binding, QWidget* parent);
    QLineEdit* AddLineEdit(const ControlBinding& binding, QWidget* parent);
    QWidget* AddGroup(std::string_view caption, int page, QWidget* parent);
    void Load();
    void UpdateFontPreviews();

    Settings& settings_;
    std::string iniPath_;
    SettingsDialogServices services_;
    WindowDock* dock_;
};

}  // namespace pelmora
