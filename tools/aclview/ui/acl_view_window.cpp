#include "tools/aclview/ui/acl_view_window.h"

#include <QFontMetrics>
#include <QLabel>
#include <QListWidget>
#include <QScrollBar>
#include <QVBoxLayout>

#include "tools/aclview/acl_text.h"
#include "tools/aclview/aclview_texts.h"
#include "tools/common/ui/tool_window_support.h"

namespace pelmora {
namespace {

constexpr int kFontPointSize = 9;
// The name column, the longest rights text ("特別なアクセス権", two columns per
// character) and a little air.
constexpr int kListColumns = static_cast<int>(kAccountColumnWidth) + 16 + 2;
constexpr int kListRows = 12;
constexpr char kSection[] = "ACLView";

}  // namespace

AclViewWindow::AclViewWindow(Settings& settings, const std::string& iniPath, QWidget* parent)
    : AclViewWindow(settings, iniPath, platform::SystemSecurityService(), parent) {}

AclViewWindow::AclViewWindow(Settings& settings, const std::string& iniPath,
                             const platform::SecurityService& security, QWidget* parent)
    : ToolWindow(parent), settings_(settings), iniPath_(iniPath), security_(security) {
    setObjectName(QStringLiteral("Form9"));
    setWindowTitle(QString::fromUtf8(aclview_texts::kCaption));

    auto* layout = new QVBoxLayout(this);
    label1_ = AddToolWindowLabel(this, layout, "Label1", QString::fromUtf8(aclview_texts::kEmptyPathLabel));

    list1_ = new QListWidget(this);
    list1_->setObjectName(QStringLiteral("List1"));
    list1_->setFont(ToolWindowFixedFont(kFontPointSize));
    list1_->setSelectionMode(QAbstractItemView::SingleSelection);
    // Drops on the list go to the window, which takes file lists only.
    list1_->setAcceptDrops(false);
    list1_->viewport()->setAcceptDrops(false);
    list1_->setDragEnabled(false);
    const QFontMetrics metrics(list1_->font());
    list1_->setFixedSize(metrics.horizontalAdvance(QLatin1Char('W')) * kListColumns +
                             list1_->verticalScrollBar()->sizeHint().width() + 2 * list1_->frameWidth(),
                         metrics.lineSpacing() * kListRows);
    layout->addWidget(list1_);
    // The window keeps its design size.
    setFixedSize(sizeHint());
}

void AclViewWindow::OpenAtPlacement() {
    label1_->setText(QString::fromUtf8(aclview_texts::kEmptyPathLabel));
    list1_->clear();
    OpenToolWindow(*this, settings_.ACL_LastFormPosition == "1", settings_.ACL_FormLeft, settings_.ACL_FormTop);
}

void AclViewWindow::ShowAclOfPath(const std::string& path) {
    label1_->setText(QString::fromUtf8(AclPathLabelText(path)));
    list1_->clear();
    for (const std::string& line : AclLines(path, security_)) list1_->addItem(QString::fromUtf8(line));
}

void AclViewWindow::SavePosition() {
    SaveToolWindowPosition(*this, kSection, "ACL_FormLeft", "ACL_FormTop", settings_.ACL_FormLeft,
                           settings_.ACL_FormTop, iniPath_);
}

}  // namespace pelmora
