#include "tools/choiview/ui/choi_view_window.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFile>
#include <QResizeEvent>
#include <QShortcut>

#include <exception>

#include "common/ui/window_position.h"
#include "i18n/translation.h"
#include "i18n/ui/translated_text.h"
#include "listing/engine/job_context.h"
#include "tools/choiview/choiview_texts.h"
#include "tools/choiview/ui/browser_display.h"
#include "tools/choiview/ui/choi_view_names.h"
#include "tools/choiview/ui/media_display.h"
#include "tools/choiview/ui/picture_display.h"
#include "tools/choiview/ui/text_display.h"
#include "tools/choiview/viewable_file.h"
#include "tools/choiview/viewer_kind.h"

namespace pelmora {

namespace {

namespace names = choi_view_names;
namespace texts = choiview_texts;

// The size the window opens with the first time, in twips.
constexpr TwipsSize kDesignSize{7500, 6600};

// Twips to whole pixels, rounded up, so that the pixels hold at least the twips.
int PixelsAtLeast(int twips, double dpi) { return static_cast<int>((static_cast<double>(twips) * dpi + 1439.0) / 1440.0); }

}  // namespace

ChoiViewWindow::ChoiViewWindow(Settings& settings, const std::string& iniPath, UserDialogs& dialogs, QWidget* parent,
                               PluginFolders plugins)
    : ToolWindow(settings, iniPath, kChoiViewPositionKeys, parent), settings_(settings), dialogs_(dialogs) {
    setObjectName(names::kWindow);
    setWindowTitle(QTranslated(texts::kCaption));

    auto add = [this](std::unique_ptr<ViewerDisplay> display, std::initializer_list<std::string_view> kinds) {
        for (std::string_view kind : kinds) displayOfKind_.emplace(std::string(kind), display.get());
        displays_.push_back(std::move(display));
    };
    namespace k = viewer_kind;
    add(std::make_unique<TextDisplay>(this, dialogs_), {k::kText, k::kOtherText, k::kArchive});
    add(std::make_unique<BrowserDisplay>(this, iniPath), {k::kBrowser});
    add(std::make_unique<MediaDisplay>(this, dialogs_), {k::kMediaPlayer});
    // The picture box last, so that its scroll bars lie above the other displays.
    auto picture = std::make_unique<PictureDisplay>(this, dialogs_, std::move(plugins));
    picture_ = picture.get();
    add(std::move(picture), {k::kPictureBox, k::kPlugin});

    frontCheck_ = new QCheckBox(QTranslated(texts::kFrontCheck), this);
    frontCheck_->setObjectName(names::kFrontCheck);
    connect(frontCheck_, &QCheckBox::toggled, this, &ChoiViewWindow::KeepOnTop);
    // Esc closes the viewer whichever display has the keys.
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this, &QWidget::close);

    const double dpi = logicalDpiX();
    resize(PixelsAtLeast(kDesignSize.width, dpi), PixelsAtLeast(kDesignSize.height, dpi));
}

ChoiViewWindow::~ChoiViewWindow() = default;

TwipsSize ChoiViewWindow::SizeInTwips() const {
    // The frame the window system adds counts, as the layout's figures are the outer size's.
    const QSize outer = size() + (frameGeometry().size() - geometry().size());
    const double dpi = logicalDpiX();
    return {PixelsToTwips(outer.width(), dpi), PixelsToTwips(outer.height(), dpi)};
}

ViewerGeometry ChoiViewWindow::Geometry() const { return {SizeInTwips(), static_cast<double>(logicalDpiX())}; }

void ChoiViewWindow::OpenAtPlacement() {
    setWindowTitle(QTranslated(texts::kCaption));
    ApplyStealthOpacity();
    {
        // The tick sets the window flag here; the window is shown below.
        const QSignalBlocker quiet(frontCheck_);
        frontCheck_->setChecked(settings_.CV_FrontView == "1");
    }
    KeepOnTop(frontCheck_->isChecked());
    ResetDisplays();
    picture_->ShowDefaultPicture(settings_.CV_DefaultPicture, Geometry());
    ShowAtSavedPosition();
    placement_ = Placement{frameGeometry().topLeft(), frameGeometry().size() - size()};
    Relayout();
}

void ChoiViewWindow::ShowInViewer(const std::string& path) {
    try {
        // Nothing but a regular file is opened: a FIFO would keep the window waiting.
        if (ViewerMustRefuseUnopened(path, settings_)) {
            ResetDisplays();
            dialogs_.ShowMessage(Translated(texts::kOpenFailed));
            return;
        }
        const std::string_view kind = ViewerKindOfFile(path, settings_);
        if (kind.empty()) return;
        const auto found = displayOfKind_.find(kind);
        if (found == displayOfKind_.end()) return;
        ViewerDisplay& display = *found->second;
        // Whatever was on show goes first, a playing sound included, so a file that fails
        // below leaves the message and an empty viewer rather than the previous file.
        ResetDisplays();
        switch (display.Load(path, kind)) {
            case ViewerDisplay::Loaded::Unchanged:
                return;
            case ViewerDisplay::Loaded::Failed:
                dialogs_.ShowMessage(Translated(texts::kOpenFailed));
                return;
            case ViewerDisplay::Loaded::Ready:
                break;
        }
        const ViewerGeometry geometry = Geometry();
        if (geometry.window != laidOut_) Relayout();
        display.Present(geometry);
        // A display may raise itself when shown; the box stays clickable above them all.
        frontCheck_->raise();
        setWindowTitle(QStringLiteral("[") + QFile::decodeName(QByteArray::fromStdString(path)) +
                       QStringLiteral("]"));
    } catch (const std::exception&) {
        // Out of memory for a huge file, above all.
        dialogs_.ShowMessage(Translated(texts::kOpenFailed));
    }
}

void ChoiViewWindow::ApplyStealthOpacity() {
    const int alpha = settings_.CV_Stealth >= 1 && settings_.CV_Stealth <= 255 ? settings_.CV_Stealth : 255;
    setWindowOpacity(settings_.CV_use_stealth == "1" ? alpha / 255.0 : 1.0);
}

void ChoiViewWindow::ResetDisplays() {
    for (const auto& display : displays_) display->Reset();
}

void ChoiViewWindow::Relayout() {
    const ViewerGeometry geometry = Geometry();
    laidOut_ = geometry.window;
    const TwipsRect check = ViewerFrontCheckPlace(geometry.window);
    frontCheck_->setGeometry(QRect(QPoint(geometry.Pixels(check.left), geometry.Pixels(check.top)),
                                   frontCheck_->sizeHint()));
    for (const auto& display : displays_) display->Relayout(geometry);
    frontCheck_->raise();
}

void ChoiViewWindow::FollowFrame() {
    if (!isVisible() || isMinimized()) return;
    const QRect outer = frameGeometry();
    if (placement_ && outer.size() - size() != placement_->frame) {
        // Centred (or checked against the screen) without the frame: once more with it.
        const bool untouched = outer.topLeft() == placement_->at;
        placement_.reset();
        if (untouched) MoveToStartPosition(*this, settings_, kChoiViewPositionKeys);
    }
    if (SizeInTwips() != laidOut_) Relayout();
}

void ChoiViewWindow::KeepOnTop(bool onTop) {
    if (windowFlags().testFlag(Qt::WindowStaysOnTopHint) == onTop) return;
    // Changing the flag hides a shown window; it is shown again where it was.
    const bool shown = isVisible();
    const QPoint place = pos();
    setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    if (shown) {
        move(place);
        show();
    }
}

void ChoiViewWindow::resizeEvent(QResizeEvent* event) {
    ToolWindow::resizeEvent(event);
    if (isMinimized()) return;
    const TwipsSize now = SizeInTwips();
    const TwipsSize snapped = SnapToViewerMinimum(now);
    if (snapped != now) {
        const double dpi = logicalDpiX();
        const QSize frame = frameGeometry().size() - geometry().size();
        resize(std::max(width(), PixelsAtLeast(snapped.width, dpi) - frame.width()),
               std::max(height(), PixelsAtLeast(snapped.height, dpi) - frame.height()));
        return;
    }
    Relayout();
}

void ChoiViewWindow::moveEvent(QMoveEvent* event) {
    ToolWindow::moveEvent(event);
    FollowFrame();
}

void ChoiViewWindow::showEvent(QShowEvent* event) {
    ToolWindow::showEvent(event);
    Relayout();
}

void ChoiViewWindow::changeEvent(QEvent* event) {
    ToolWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && isMinimized() && settings_.CV_MPlayMinPause == "1") {
        for (const auto& display : displays_) display->PausePlayback();
    }
}

void ChoiViewWindow::closeEvent(QCloseEvent* event) {
    ToolWindow::closeEvent(event);
    for (const auto& display : displays_) display->StopPlayback();
    ResetDisplays();
}

}  // namespace pelmora
