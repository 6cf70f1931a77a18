#include "tools/aclview/ui/acl_view_window.h"

#include <QFontMetrics>
#include <QLabel>
#include <QListWidget>
#include <QScrollBar>
#include <QVBoxLayout>

#include "i18n/ui/translated_text.h"
#include "tools/aclview/acl_text.h"
#include "tools/aclview/aclview_texts.h"
#include "tools/aclview/ui/acl_view_names.h"
#include "tools/common/ui/middle_elided_label.h"
#include "tools/common/ui/tool_window_support.h"

namespace pelmora {
namespace {

namespace names = acl_view_names;

constexpr int kFontPointSize = 9;
// The name column, the longest rights text ("特別なアクセス権", two columns per
// character) and a little air.
constexpr int kListColumns = static_cast<int>(kAccountColumnWidth) + 16 + 2;
constexpr int kListRows = 12;

}  // namespace

AclViewWindow::AclViewWindow(Settings& settings, const std::string& iniPath, QWidget* parent)
    : AclViewWindow(settings, iniPath, platform::SystemSecurityService(), parent) {}

AclViewWindow::AclViewWindow(Settings& settings, const std::string& iniPath, const platform::SecurityService& security,
                             QWidget* parent)
    : ToolWindow(settings, iniPath, kAclViewPositionKeys, parent), security_(security) {
    setObjectName(names::kWindow);
    setWindowTitle(QString::fromUtf8(aclview_texts::kCaption));

    auto* layout = new QVBoxLayout(this);
    pathLabel_ =
        AddToolWindowPathLabel(this, layout, names::kPathLabel, QString::fromUtf8(aclview_texts::kEmptyPathLabel));

    accessList_ = new QListWidget(this);
    accessList_->setObjectName(names::kAccessList);
    accessList_->setFont(ToolWindowFixedFont(kFontPointSize));
    accessList_->setSelectionMode(QAbstractItemView::SingleSelection);
    // Drops on the list go to the window, which takes file lists only.
    accessList_->setAcceptDrops(false);
    accessList_->viewport()->setAcceptDrops(false);
    accessList_->setDragEnabled(false);
    const QFontMetrics metrics(accessList_->font());
    accessList_->setFixedSize(metrics.horizontalAdvance(QLatin1Char('W')) * kListColumns +
                                  accessList_->verticalScrollBar()->sizeHint().width() + 2 * accessList_->frameWidth(),
                              metrics.lineSpacing() * kListRows);
    layout->addWidget(accessList_);
    // The window keeps its design size.
    setFixedSize(sizeHint());
}

void AclViewWindow::OpenAtPlacement() {
    pathLabel_->SetPathText(QString::fromUtf8(aclview_texts::kEmptyPathLabel));
    accessList_->clear();
    ShowAtSavedPosition();
}

void AclViewWindow::ShowAclOfPath(const std::string& path) {
    pathLabel_->SetPathText(QString::fromUtf8(AclPathLabelText(path)));
    accessList_->clear();
    for (const std::string& line : AclLines(path, security_)) accessList_->addItem(QString::fromUtf8(line));
}

}  // namespace pelmora
