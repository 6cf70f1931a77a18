#include "tools/choiview/ui/picture_display.h"

#include <algorithm>

#include <QScrollBar>
#include <QStyle>

#include "tools/choiview/ui/choi_view_names.h"
#include "tools/choiview/ui/isolated_call_wait.h"
#include "tools/choiview/ui/picture_box.h"
#include "tools/choiview/ui/picture_file_read.h"
#include "tools/choiview/ui/plugin_picture_image.h"
#include "tools/choiview/viewable_file.h"
#include "tools/choiview/viewer_kind.h"

namespace pelmora {

namespace {

namespace names = choi_view_names;

// One click on a bar's arrow scrolls this many pixels.
constexpr int kScrollStepPixels = 20;

QScrollBar* NewBar(Qt::Orientation orientation, const char* name, QWidget* window) {
    auto* bar = new QScrollBar(orientation, window);
    bar->setObjectName(name);
    // The picture moves when the thumb is let go, not while it is dragged.
    bar->setTracking(false);
    bar->hide();
    return bar;
}

}  // namespace

PictureDisplay::PictureDisplay(QWidget* window, UserDialogs& dialogs, PluginFolders plugins)
    : dialogs_(dialogs), plugins_(std::move(plugins)) {
    box_ = new PictureBox(window);
    box_->setObjectName(names::kPicture);
    horizontal_ = NewBar(Qt::Horizontal, names::kHorizontalScroll, window);
    vertical_ = NewBar(Qt::Vertical, names::kVerticalScroll, window);
    box_->ScrollWith(horizontal_, vertical_);
    QObject::connect(horizontal_, &QScrollBar::valueChanged, box_, [this] { PlaceScrolledBox(); });
    QObject::connect(vertical_, &QScrollBar::valueChanged, box_, [this] { PlaceScrolledBox(); });
}

PictureDisplay::~PictureDisplay() { AbandonWaiting(); }

void PictureDisplay::AbandonWaiting() {
    if (waiting_) waiting_->Abandon();
    waiting_.reset();
}

QImage PictureDisplay::ReadPicture(const std::string& path, const platform::IsolatedRunner& run) {
    return ReadPictureFile(path, run);
}

ViewerDisplay::Loaded PictureDisplay::Load(const std::string& path, std::string_view kind) {
    AbandonWaiting();
    const auto wait = std::make_shared<IsolatedCallWait>();
    waiting_ = wait;
    QImage picture;
    std::optional<PluginPicture> decoded;
    if (kind == viewer_kind::kPlugin) {
        decoded = LoadPluginPicture(path, plugins_, wait->Runner(), wait->Reader());
    } else {
        picture = ReadPicture(path, wait->Runner());
    }
    // A newer file or the window's closing came while the events ran: nothing of this file
    // is shown, no message either, and the display is not touched (it may be gone).
    if (wait->Abandoned()) return Loaded::Unchanged;
    waiting_.reset();
    // A file that could not even be read (a share that dropped) failed to open.
    if (decoded && decoded->code == plugin_code::kFileUnreadable) return Loaded::Failed;
    if (decoded) {
        // Whatever the plug-in did, the box shows its result: an empty box when it decoded
        // nothing, as the caption names the file.
        loaded_ = ShownPluginPicture(*decoded, dialogs_);
        return Loaded::Ready;
    }
    loaded_ = std::move(picture);
    return loaded_.isNull() ? Loaded::Failed : Loaded::Ready;
}

void PictureDisplay::Present(const ViewerGeometry& geometry) {
    geometry_ = geometry;
    natural_ = {geometry.Twips(loaded_.width()), geometry.Twips(loaded_.height())};
    box_->SetPicture(std::move(loaded_));
    loaded_ = QImage();
    // A new picture starts at its top-left corner.
    horizontal_->setValue(0);
    vertical_->setValue(0);
    box_->show();
    FitToWindow(geometry);
}

void PictureDisplay::ShowDefaultPicture(const std::string& path, const ViewerGeometry& geometry) {
    Reset();
    geometry_ = geometry;
    natural_ = {};
    if (!path.empty() && IsRegularFileToView(path)) box_->SetPicture(ReadPicture(path));
    box_->setGeometry(geometry.ContentArea());
    box_->show();
}

void PictureDisplay::Reset() {
    AbandonWaiting();
    box_->hide();
    horizontal_->hide();
    vertical_->hide();
    box_->SetPicture(QImage());
}

bool PictureDisplay::IsShowing() const { return !box_->isHidden(); }

ScrollBarThickness PictureDisplay::BarThickness(const ViewerGeometry& geometry) const {
    const int extent = box_->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, horizontal_);
    return {geometry.Twips(extent), geometry.Twips(extent)};
}

void PictureDisplay::Relayout(const ViewerGeometry& geometry) {
    geometry_ = geometry;
    if (IsShowing()) {
        FitToWindow(geometry);
        return;
    }
    // Hidden: the box and the bars keep their places for the next picture.
    box_->setGeometry(geometry.ContentArea());
    const PictureFit fit = FitPictureToWindow(geometry.window, {}, BarThickness(geometry));
    horizontal_->setGeometry(geometry.PixelRect(fit.horizontalBarPlace));
    vertical_->setGeometry(geometry.PixelRect(fit.verticalBarPlace));
}

void PictureDisplay::FitToWindow(const ViewerGeometry& geometry) {
    const ScrollBarThickness bars = BarThickness(geometry);
    const PictureFit fit = FitPictureToWindow(geometry.window, natural_, bars);
    horizontal_->setGeometry(geometry.PixelRect(fit.horizontalBarPlace));
    vertical_->setGeometry(geometry.PixelRect(fit.verticalBarPlace));
    horizontal_->setVisible(fit.horizontalBar);
    vertical_->setVisible(fit.verticalBar);
    const QSignalBlocker blockHorizontal(horizontal_);
    const QSignalBlocker blockVertical(vertical_);
    // The offset is kept where the new range allows it.
    horizontal_->setRange(0, fit.horizontalMaximum);
    vertical_->setRange(0, fit.verticalMaximum);
    horizontal_->setSingleStep(geometry.Twips(kScrollStepPixels));
    vertical_->setSingleStep(geometry.Twips(kScrollStepPixels));
    horizontal_->setPageStep(fit.box.width);
    vertical_->setPageStep(fit.box.height);
    PlaceScrolledBox();
}

void PictureDisplay::PlaceScrolledBox() {
    const ScrollBarThickness bars = BarThickness(geometry_);
    const PictureFit fit = FitPictureToWindow(geometry_.window, natural_, bars);
    const TwipsRect place = ScrolledPictureBox(geometry_.window, fit, bars, horizontal_->value(), vertical_->value());
    box_->setGeometry(geometry_.PixelRect(place));
    box_->update();
}

}  // namespace pelmora
