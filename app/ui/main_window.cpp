#include "app/ui/main_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLayout>
#include <QListView>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <initializer_list>
#include <stdexcept>
#include <utility>

#include "app/ui/browser_controller.h"
#include "app/ui/busy_state.h"
#include "app/ui/command_dispatcher.h"
#include "app/ui/docked_windows.h"
#include "app/ui/drive_list.h"
#include "app/ui/file_list_model.h"
#include "app/ui/help_commands.h"
#include "app/ui/folder_list_widget.h"
#include "app/ui/main_window_names.h"
#include "app/ui/main_window_texts.h"
#include "app/ui/net_drive_commands.h"
#include "app/ui/picture_panel.h"
#include "app/ui/progress_dialog.h"
#include "app/ui/qt_job_context.h"
#include "app/ui/tool_windows.h"
#include "i18n/ui/translated_text.h"
#include "tools/choiview/ui/choi_view_window.h"
#include "common/ui/window_position.h"
#include "platform/volume_list.h"
#include "settings/net_drive_list.h"
#include "settings/setting_value_error.h"
#include "tools/network/net_drive_connection.h"

namespace pelmora {

namespace {

namespace names = main_window_names;

QString Text(const char* text) { return QString::fromUtf8(text); }

// The font size text as a number of points; anything else is a start-up failure that
// names the key.
double FontPoints(const char* key, const std::string& sizeText) {
    const QString text = QString::fromUtf8(sizeText).trimmed();
    bool ok = false;
    const double points = text.toDouble(&ok);
    if (!ok || points <= 0) throw SettingValueError(key, sizeText);
    return points;
}

QFont ListFont(const std::string& name, const char* sizeKey, const std::string& size, const std::string& bold,
               const std::string& italic) {
    QFont font(QString::fromUtf8(name));
    font.setPointSizeF(FontPoints(sizeKey, size));
    font.setBold(bold == "1");
    font.setItalic(italic == "1");
    return font;
}

QPushButton* NamedButton(const char* objectName, UiText caption) {
    auto* button = new QPushButton(QTranslated(caption));
    button->setObjectName(objectName);
    return button;
}

// A captioned frame holding the buttons, given as object name and caption, one under another.
QGroupBox* ButtonFrame(QWidget* parent, const char* objectName, UiText caption,
                       std::initializer_list<std::pair<const char*, UiText>> buttons) {
    auto* frame = new QGroupBox(QTranslated(caption), parent);
    frame->setObjectName(objectName);
    auto* frameLayout = new QVBoxLayout(frame);
    for (const auto& [name, buttonCaption] : buttons) frameLayout->addWidget(NamedButton(name, buttonCaption));
    return frame;
}

}  // namespace

MainWindow::MainWindow(Settings& settings, AppPaths paths, MainWindowServices services, QWidget* parent)
    : QMainWindow(parent), settings_(settings), paths_(std::move(paths)) {
    setObjectName(names::kMainWindow);
    setWindowTitle(Text(texts::kAppTitle));

    if (!services.dialogs) ownDialogs_ = std::make_unique<QtUserDialogs>(this);
    if (!services.clipboard) ownClipboard_ = std::make_unique<QtClipboardSink>();
    if (!services.saveDialog) ownSaveDialog_ = std::make_unique<QtSaveDialog>(this);
    dialogs_ = services.dialogs ? services.dialogs : ownDialogs_.get();
    ClipboardSink& clipboard = services.clipboard ? *services.clipboard : *ownClipboard_;
    SaveDialog& saveDialog = services.saveDialog ? *services.saveDialog : *ownSaveDialog_;
    platform::ProcessStarter& starter = services.starter ? *services.starter : platform::SystemProcessStarter();

    BuildControls();
    BuildMenus();

    progress_ = new ProgressDialog(cancel_, this);
    jobs_ = std::make_unique<JobContext>(JobContext{*progress_, cancel_, *dialogs_, clipboard, saveDialog});
    browser_ = std::make_unique<BrowserController>(
        BrowserWidgets{driveList_, folderList_, patternBox_, fileList_, files_}, *dialogs_);
    busy_ = std::make_unique<BusyState>(this);
    commands_ = std::make_unique<CommandDispatcher>(settings_, paths_, *browser_, *busy_, *jobs_, starter);
    tools_ = new ToolWindows(settings_, paths_.iniPath, *browser_, *dialogs_, this);
    docked_ = new DockedWindows(settings_, paths_.iniPath, *browser_, *dialogs_, this);
    help_ = new HelpCommands(paths_.programFolder, starter, *dialogs_, this);
    netDrives_ = new NetDriveCommands(paths_.iniPath, *busy_, *dialogs_, [this] { RefreshDrives(); }, this);
    netDrives_->SetOnDisconnected([this](const std::string& share) { browser_->LeaveShare(share); });
    // A share just connected is chosen in the drive list, as the sign that it worked.
    netDrives_->SetOnConnected([this](const std::string& share) { browser_->BrowseFolder(share); });
    docked_->SetViewerOpacityHook([this](int) {
        if (ChoiViewWindow* viewer = tools_->ChoiView()) viewer->ApplyStealthOpacity();
    });

    auto button = [this](const char* name) { return findChild<QPushButton*>(name); };
    connect(button(names::kListFilesButton), &QPushButton::clicked, this, [this] { commands_->GetFileNames(); });
    connect(button(names::kSelectAllButton), &QPushButton::clicked, this, [this] { browser_->SelectAllFiles(); });
    connect(button(names::kRefreshButton), &QPushButton::clicked, this, [this] { browser_->Refresh(); });
    connect(button(names::kListFolderNameButton), &QPushButton::clicked, this, [this] { commands_->GetFolderName(); });
    connect(button(names::kListAllFilesBelowButton), &QPushButton::clicked, this,
            [this] { commands_->GetAllFileNamesBelow(); });
    connect(button(names::kListSubfoldersButton), &QPushButton::clicked, this,
            [this] { commands_->GetSubfolderNames(); });
    connect(button(names::kListAllSubfoldersButton), &QPushButton::clicked, this,
            [this] { commands_->GetAllSubfolderNames(); });
    connect(button(names::kFolderTreeButton), &QPushButton::clicked, this, [this] { commands_->GetFolderTree(); });
    connect(button(names::kListArchiveButton), &QPushButton::clicked, this,
            [this] { commands_->GetArchiveMemberNames(); });
    connect(button(names::kOpenWithAssociationButton), &QPushButton::clicked, this,
            [this] { commands_->OpenWithAssociation(); });
    auto menuEntry = [this](const char* name) { return findChild<QAction*>(name); };
    connect(menuEntry(names::kHexViewMenu), &QAction::triggered, tools_, &ToolWindows::OpenHexView);
    connect(menuEntry(names::kAclViewMenu), &QAction::triggered, tools_, &ToolWindows::OpenAclView);
    connect(menuEntry(names::kChoiViewMenu), &QAction::triggered, tools_, &ToolWindows::OpenChoiView);
    connect(menuEntry(names::kJumpMenu), &QAction::triggered, docked_, &DockedWindows::OpenJump);
    connect(menuEntry(names::kNetViewMenu), &QAction::triggered, docked_, &DockedWindows::OpenNetwork);
    connect(menuEntry(names::kNetAttachMenu), &QAction::triggered, netDrives_, &NetDriveCommands::ConnectNetworkDrive);
    connect(menuEntry(names::kNetDetachMenu), &QAction::triggered, netDrives_,
            &NetDriveCommands::DisconnectNetworkDrive);
    connect(menuEntry(names::kSettingMenu), &QAction::triggered, docked_, &DockedWindows::OpenSettings);
    connect(menuEntry(names::kReadmeMenu), &QAction::triggered, help_, &HelpCommands::OpenReadmeFile);
    connect(menuEntry(names::kVersionMenu), &QAction::triggered, help_, &HelpCommands::ShowAbout);
    connect(fileList_, &QListView::doubleClicked, this,
            [this](const QModelIndex&) { commands_->FileListDoubleClicked(); });
}

MainWindow::~MainWindow() = default;

void MainWindow::BuildControls() {
    auto* central = new QWidget(this);
    setCentralWidget(central);

    driveList_ = new DriveList(central);
    driveList_->setObjectName(names::kDriveList);
    driveList_->SetVolumes(WithNetDrives(platform::ListVolumes(), ReadNetDrives(paths_.iniPath)));

    folderList_ = new FolderListWidget(central);
    folderList_->setObjectName(names::kFolderList);

    patternBox_ = new QComboBox(central);
    patternBox_->setObjectName(names::kPatternBox);
    patternBox_->setEditable(true);
    patternBox_->setInsertPolicy(QComboBox::NoInsert);
    // What is typed is the pattern; completing "*.cs" to "*.csv" would change the listing.
    patternBox_->setCompleter(nullptr);

    files_ = new FileListModel(this);
    fileList_ = new QListView(central);
    fileList_->setObjectName(names::kFileList);
    fileList_->setModel(files_);
    fileList_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    fileList_->setUniformItemSizes(true);
    fileList_->setEditTriggers(QAbstractItemView::NoEditTriggers);

    pictures_ = new PicturePanel(central);
    pictures_->setObjectName(names::kPicturePanel);

    auto* selectRow = new QHBoxLayout;
    selectRow->addWidget(NamedButton(names::kSelectAllButton, texts::kSelectAllButton));
    selectRow->addWidget(NamedButton(names::kRefreshButton, texts::kRefreshButton));

    auto* folderFrame = ButtonFrame(central, names::kFolderFrame, texts::kFolderFrame,
                                    {{names::kListFolderNameButton, texts::kListFolderNameButton},
                                     {names::kListSubfoldersButton, texts::kListSubfoldersButton},
                                     {names::kListAllSubfoldersButton, texts::kListAllSubfoldersButton},
                                     {names::kFolderTreeButton, texts::kFolderTreeButton}});
    auto* fileFrame = ButtonFrame(central, names::kFileFrame, texts::kFileFrame,
                                  {{names::kListFilesButton, texts::kListFilesButton},
                                   {names::kListAllFilesBelowButton, texts::kListAllFilesBelowButton},
                                   {names::kListArchiveButton, texts::kListArchiveButton},
                                   {names::kOpenWithAssociationButton, texts::kOpenWithAssociationButton}});

    auto* grid = new QGridLayout(central);
    grid->addWidget(driveList_, 0, 0);
    grid->addWidget(patternBox_, 0, 1);
    grid->addWidget(folderList_, 1, 0);
    grid->addWidget(fileList_, 1, 1);
    grid->addWidget(pictures_, 2, 0, 2, 1, Qt::AlignCenter);
    grid->addLayout(selectRow, 2, 1);
    grid->addWidget(folderFrame, 4, 0);
    grid->addWidget(fileFrame, 4, 1);
    grid->setRowStretch(1, 1);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 1);

    resize(560, 520);
}

QAction* MainWindow::AddMenuAction(QMenu* menu, const char* objectName, const QString& caption) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(objectName);
    return action;
}

void MainWindow::BuildMenus() {
    QMenuBar* bar = menuBar();
    QAction* jump = bar->addAction(QTranslated(texts::kMenuJump));
    jump->setObjectName(names::kJumpMenu);
    QAction* setting = bar->addAction(QTranslated(texts::kMenuSetting));
    setting->setObjectName(names::kSettingMenu);

    QMenu* view = bar->addMenu(QTranslated(texts::kMenuView));
    view->menuAction()->setObjectName(names::kViewMenu);
    AddMenuAction(view, names::kChoiViewMenu, QTranslated(texts::kMenuChoiView));
    AddMenuAction(view, names::kHexViewMenu, Text(texts::kMenuHexView));
    AddMenuAction(view, names::kAclViewMenu, Text(texts::kMenuAclView));

    QMenu* net = bar->addMenu(QTranslated(texts::kMenuNet));
    net->menuAction()->setObjectName(names::kNetMenu);
    AddMenuAction(net, names::kNetViewMenu, QTranslated(texts::kMenuNetView));
    AddMenuAction(net, names::kNetAttachMenu, QTranslated(texts::kMenuNetAttach));
    AddMenuAction(net, names::kNetDetachMenu, QTranslated(texts::kMenuNetDetach));

    QMenu* help = bar->addMenu(QTranslated(texts::kMenuHelp));
    help->menuAction()->setObjectName(names::kHelpMenu);
    AddMenuAction(help, names::kReadmeMenu, Text(texts::kMenuReadme));
    AddMenuAction(help, names::kVersionMenu, Text(texts::kMenuVersion));
}

void MainWindow::SetWindowIconNumber(const std::string& windowIcon) {
    if (windowIcon.size() != 1 || windowIcon[0] < '1' || windowIcon[0] > '5') return;
    setWindowIcon(QIcon(QStringLiteral(":/icons/10%1.png").arg(windowIcon[0] - '0')));
}

void MainWindow::SetPatternItems(const std::vector<std::string>& patterns) {
    const QSignalBlocker blocker(patternBox_);
    const QString text = patternBox_->currentText();
    for (const auto& pattern : patterns) patternBox_->addItem(QString::fromUtf8(pattern));
    patternBox_->setEditText(text);
}

void MainWindow::PlaceAtStart() {
    // The size the window will show with: its layout may need more than the initial size.
    ensurePolished();
    if (layout()) layout()->activate();
    resize(size().expandedTo(minimumSizeHint()));
    PlaceForShowing(*this, settings_, kMainWindowPositionKeys);
}

void MainWindow::RefreshDrives() {
    driveList_->SetVolumes(WithNetDrives(platform::ListVolumes(), ReadNetDrives(paths_.iniPath)));
    // The list keeps showing the volume of the folder being browsed.
    driveList_->ShowVolumeOf(browser_->CurrentFolder());
}

void MainWindow::ApplyListFonts() {
    const QFont folderFont = ListFont(settings_.FolderFontName, "FolderFontSize", settings_.FolderFontSize,
                                      settings_.FolderFontBold, settings_.FolderFontItalic);
    const QFont fileFont = ListFont(settings_.FileFontName, "FileFontSize", settings_.FileFontSize,
                                    settings_.FileFontBold, settings_.FileFontItalic);
    folderList_->setFont(folderFont);
    fileList_->setFont(fileFont);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    SaveWindowPosition(*this, settings_, kMainWindowPositionKeys, paths_.iniPath);
    // The program ends at once: a command still running stops at its next check, and the
    // messages it still has to show return unanswered once the event loop is told to quit.
    commands_->StopForProgramEnd();
    // The windows it owns would stay on screen until the running work has unwound.
    progress_->CloseForProgramEnd();
    tools_->HideAll();
    docked_->HideAll();
    event->accept();
    emit closed();
}

void MainWindow::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    // While the progress dialog is up, the main window hands its focus on to it.
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && progress_ && progress_->IsOpen()) {
        progress_->raise();
        progress_->activateWindow();
    }
}

}  // namespace pelmora
