#include "tools/choiview/ui/text_display.h"


#include "listing/archive/archive_listing.h"
#include "tools/choiview/ui/choi_view_names.h"
#include "tools/choiview/ui/text_pane.h"
#include "tools/choiview/view_text.h"
#include "tools/choiview/viewer_kind.h"

namespace pelmora {

TextDisplay::TextDisplay(QWidget* window, UserDialogs& dialogs) : dialogs_(dialogs) {
    view_ = new TextPane(window);
    view_->setObjectName(choi_view_names::kText);
    // Drops on the text go to the window, which takes file lists only.
    view_->setAcceptDrops(false);
    view_->viewport()->setAcceptDrops(false);
    view_->hide();
}

ViewerDisplay::Loaded TextDisplay::Load(const std::string& path, std::string_view kind) {
    if (kind == viewer_kind::kArchive) {
        // A damaged archive has no listing: its message came from the listing, and the
        // view shows it empty under the archive's name.
        const std::string listing = ArchiveListing(path, &dialogs_);
        loaded_ = QString::fromUtf8(listing).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        return Loaded::Ready;
    }
    const auto text = ReadTextForView(path);
    if (!text) return Loaded::Failed;
    loaded_ = QString(reinterpret_cast<const QChar*>(text->data()), static_cast<qsizetype>(text->size()));
    return Loaded::Ready;
}

void TextDisplay::Present(const ViewerGeometry& geometry) {
    view_->SetText(std::move(loaded_));
    loaded_ = QString();
    Relayout(geometry);
    view_->show();
}

void TextDisplay::Reset() {
    view_->hide();
    view_->SetText({});
}

void TextDisplay::Relayout(const ViewerGeometry& geometry) { view_->setGeometry(geometry.ContentArea()); }

bool TextDisplay::IsShowing() const { return !view_->isHidden(); }

}  // namespace pelmora
