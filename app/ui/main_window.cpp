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
#include <QScreen>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <stdexcept>

#include "app/ui/browser_controller.h"
#include "app/ui/busy_state.h"
#include "app/ui/command_dispatcher.h"
#include "app/ui/drive_list.h"
#include "app/ui/file_list_model.h"
#include "app/ui/folder_list_widget.h"
#include "app/ui/main_window_texts.h"
#include "app/ui/picture_panel.h"
#include "app/ui/progress_dialog.h"
#include "app/ui/qt_job_context.h"
#include "app/ui/tool_windows.h"
#include "common/window_placement.h"
#include "platform/volume_list.h"
#include "settings/ini_access.h"

namespace pelmora {

namespace {

QString Text(const char* text) { return QString::fromUtf8(text); }

// The font size text as a number of points; anything else is a start-up failure.
double FontPoints(const std::string& sizeText) {
    const QString text = QString::fromUtf8(sizeText).trimmed();
    bool ok = false;
    const double points = text.toDouble(&ok);
    if (!ok || points <= 0) throw std::invalid_argument("font size is not a number: " + sizeText);
    return points;
}

QFont ListFont(const std::string& name, const std::string& size, const std::string& bold, const std::string& italic) {
    QFont font(QString::fromUtf8(name));
    font.setPointSizeF(FontPoints(size));
    font.setBold(bold == "1");
    font.setItalic(italic == "1");
    return font;
}

}  // namespace

MainWindow::MainWindow(Settings& settings, AppPaths paths, MainWindowServices services, QWidget* parent)
    : QMainWindow(parent), settings_(settings), paths_(std::move(paths)) {
    setObjectName("Form1");
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
    browser_ = std::make_unique<BrowserController>(BrowserWidgets{drive1_, dir1_, combo1_, file1_, files_}, *dialogs_);
    busy_ = std::make_unique<BusyState>(this);
    commands_ = std::make_unique<CommandDispatcher>(settings_, paths_, *browser_, *busy_, *jobs_, starter);
    tools_ = new ToolWindows(settings_, paths_.iniPath, *browser_, this);

    auto button = [this](const char* name) { return findChild<QPushButton*>(name); };
    connect(button("Command1"), &QPushButton::clicked, this, [this] { commands_->Command1Click(); });
    connect(button("Command3"), &QPushButton::clicked, this, [this] { browser_->Command3Click(); });
    connect(button("Command4"), &QPushButton::clicked, this, [this] { browser_->Command4Click(); });
    connect(button("Command6"), &QPushButton::clicked, this, [this] { commands_->Command6Click(); });
    connect(button("Command7"), &QPushButton::clicked, this, [this] { commands_->Command7Click(); });
    connect(button("Command9"), &QPushButton::clicked, this, [this] { commands_->Command9Click(); });
    connect(button("Command12"), &QPushButton::clicked, this, [this] { commands_->Command12Click(); });
    connect(button("Command5"), &QPushButton::clicked, this, [this] { commands_->Command5Click(); });
    connect(button("Command11"), &QPushButton::clicked, this, [this] { commands_->Command11Click(); });
    connect(button("Command10"), &QPushButton::clicked, this, [this] { commands_->Command10Click(); });
    auto menuEntry = [this](const char* name) { return findChild<QAction*>(name); };
    connect(menuEntry("mnu_HexView"), &QAction::triggered, tools_, &ToolWindows::OpenHexView);
    connect(menuEntry("mnu_ACLView"), &QAction::triggered, tools_, &ToolWindows::OpenAclView);
    connect(file1_, &QListView::doubleClicked, this, [this](const QModelIndex&) { commands_->File1DoubleClick(); });

    pictures_->SetPictureFiles(settings_.FreePicture1, settings_.FreePicture2);
}

MainWindow::~MainWindow() = default;

QPushButton* MainWindow::AddButton(const char* objectName, const char* caption) {
    auto* button = new QPushButton(Text(caption));
    button->setObjectName(objectName);
    return button;
}

void MainWindow::BuildControls() {
    auto* central = new QWidget(this);
    setCentralWidget(central);

    drive1_ = new DriveList(central);
    drive1_->setObjectName("Drive1");
    drive1_->SetVolumes(platform::ListVolumes());

    dir1_ = new FolderListWidget(central);
    dir1_->setObjectName("Dir1");

    combo1_ = new QComboBox(central);
    combo1_->setObjectName("Combo1");
    combo1_->setEditable(true);
    combo1_->setInsertPolicy(QComboBox::NoInsert);

    files_ = new FileListModel(this);
    file1_ = new QListView(central);
    file1_->setObjectName("File1");
    file1_->setModel(files_);
    file1_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    file1_->setUniformItemSizes(true);
    file1_->setEditTriggers(QAbstractItemView::NoEditTriggers);

    pictures_ = new PicturePanel(central);
    pictures_->setObjectName("UserControl11");

    auto* selectRow = new QHBoxLayout;
    selectRow->addWidget(AddButton("Command3", texts::kCommand3));
    selectRow->addWidget(AddButton("Command4", texts::kCommand4));

    auto* frame1 = new QGroupBox(Text(texts::kFrame1), central);
    frame1->setObjectName("Frame1");
    auto* frame1Layout = new QVBoxLayout(frame1);
    frame1Layout->addWidget(AddButton("Command6", texts::kCommand6));
    frame1Layout->addWidget(AddButton("Command9", texts::kCommand9));
    frame1Layout->addWidget(AddButton("Command12", texts::kCommand12));
    frame1Layout->addWidget(AddButton("Command5", texts::kCommand5));

    auto* frame2 = new QGroupBox(Text(texts::kFrame2), central);
    frame2->setObjectName("Frame2");
    auto* frame2Layout = new QVBoxLayout(frame2);
    frame2Layout->addWidget(AddButton("Command1", texts::kCommand1));
    frame2Layout->addWidget(AddButton("Command7", texts::kCommand7));
    frame2Layout->addWidget(AddButton("Command11", texts::kCommand11));
    frame2Layout->addWidget(AddButton("Command10", texts::kCommand10));

    auto* grid = new QGridLayout(central);
    grid->addWidget(drive1_, 0, 0);
    grid->addWidget(combo1_, 0, 1);
    grid->addWidget(dir1_, 1, 0);
    grid->addWidget(file1_, 1, 1);
    grid->addWidget(pictures_, 2, 0, 2, 1, Qt::AlignCenter);
    grid->addLayout(selectRow, 2, 1);
    grid->addWidget(frame1, 4, 0);
    grid->addWidget(frame2, 4, 1);
    grid->setRowStretch(1, 1);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 1);

    resize(560, 520);
}

QAction* MainWindow::AddMenuAction(QMenu* menu, const char* objectName, const char* caption) {
    QAction* action = menu->addAction(Text(caption));
    action->setObjectName(objectName);
    return action;
}

void MainWindow::BuildMenus() {
    QMenuBar* bar = menuBar();
    QAction* jump = bar->addAction(Text(texts::kMenuJump));
    jump->setObjectName("mnu_Jump");
    QAction* setting = bar->addAction(Text(texts::kMenuSetting));
    setting->setObjectName("mnu_Setting");

    QMenu* view = bar->addMenu(Text(texts::kMenuView));
    view->menuAction()->setObjectName("mnu_view");
    AddMenuAction(view, "mnu_ChiView", texts::kMenuChoiView);
    AddMenuAction(view, "mnu_HexView", texts::kMenuHexView);
    AddMenuAction(view, "mnu_ACLView", texts::kMenuAclView);

    QMenu* net = bar->addMenu(Text(texts::kMenuNet));
    net->menuAction()->setObjectName("mnu_net");
    AddMenuAction(net, "mnu_netView", texts::kMenuNetView);
    AddMenuAction(net, "mnu_netAttach", texts::kMenuNetAttach);
    AddMenuAction(net, "mnu_netDetach", texts::kMenuNetDetach);

    QMenu* help = bar->addMenu(Text(texts::kMenuHelp));
    help->menuAction()->setObjectName("mnu_help");
    AddMenuAction(help, "mnu_readme", texts::kMenuReadme);
    AddMenuAction(help, "mnu_ver", texts::kMenuVersion);
}

void MainWindow::SetWindowIconNumber(const std::string& windowIcon) {
    if (windowIcon.size() != 1 || windowIcon[0] < '1' || windowIcon[0] > '5') return;
    setWindowIcon(QIcon(QStringLiteral(":/icons/10%1.png").arg(windowIcon[0] - '0')));
}

void MainWindow::SetPatternItems(const std::vector<std::string>& patterns) {
    const QSignalBlocker blocker(combo1_);
    const QString text = combo1_->currentText();
    for (const auto& pattern : patterns) combo1_->addItem(QString::fromUtf8(pattern));
    combo1_->setEditText(text);
}

double MainWindow::Dpi() const { return logicalDpiX() > 0 ? logicalDpiX() : 96.0; }

void MainWindow::PlaceAtStart() {
    QScreen* screen = this->screen();
    const QRect screenRect = screen ? screen->geometry() : QRect(0, 0, 1024, 768);
    const double dpi = Dpi();
    // The size the window will show with: its layout may need more than the initial size.
    ensurePolished();
    if (layout()) layout()->activate();
    resize(size().expandedTo(minimumSizeHint()));
    const QSize windowSize = frameGeometry().size();
    const TwipsPoint place =
        PlaceWindow(settings_.LastFormPosition == "1", settings_.FormLeft, settings_.FormTop,
                    PixelsToTwips(screenRect.width(), dpi), PixelsToTwips(screenRect.height(), dpi),
                    PixelsToTwips(windowSize.width(), dpi), PixelsToTwips(windowSize.height(), dpi));
    move(screenRect.left() + TwipsToPixels(place.left, dpi), screenRect.top() + TwipsToPixels(place.top, dpi));
}

void MainWindow::ApplyListFonts() {
    const QFont folderFont =
        ListFont(settings_.FolderFontName, settings_.FolderFontSize, settings_.FolderFontBold, settings_.FolderFontItalic);
    const QFont fileFont =
        ListFont(settings_.FileFontName, settings_.FileFontSize, settings_.FileFontBold, settings_.FileFontItalic);
    dir1_->setFont(folderFont);
    file1_->setFont(fileFont);
}

int MainWindow::LeftTwips() const { return PixelsToTwips(frameGeometry().left(), Dpi()); }
int MainWindow::TopTwips() const { return PixelsToTwips(frameGeometry().top(), Dpi()); }

void MainWindow::closeEvent(QCloseEvent* event) {
    settings_.FormLeft = LeftTwips();
    settings_.FormTop = TopTwips();
    // A position that cannot be written is not worth keeping the user from leaving.
    try {
        WriteIniString("Pelmora", "FormLeft", std::to_string(settings_.FormLeft), paths_.iniPath);
        WriteIniString("Pelmora", "FormTop", std::to_string(settings_.FormTop), paths_.iniPath);
    } catch (...) {
    }
    // The program ends at once: a command still running stops at its next check, and the
    // messages it still has to show return unanswered once the event loop is told to quit.
    commands_->StopForProgramEnd();
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
