#include "tools/common/ui/tool_window.h"

#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>

#include "tools/common/ui/tool_window_support.h"

namespace pelmora {
namespace {

// Only a drag that carries a file list is accepted.
void AcceptFileListDrag(QDropEvent* event) {
    if (FirstDroppedFilePath(event->mimeData())) event->acceptProposedAction();
}

}  // namespace

ToolWindow::ToolWindow(Settings& settings, std::string iniPath, const WindowPositionKeys& positionKeys, QWidget* parent)
    : QWidget(parent, Qt::Window),
      positionSettings_(settings),
      iniPath_(std::move(iniPath)),
      positionKeys_(positionKeys) {
    setAcceptDrops(true);
}

void ToolWindow::ShowAtSavedPosition() { ShowAtStartPosition(*this, positionSettings_, positionKeys_); }

void ToolWindow::closeEvent(QCloseEvent* event) {
    SaveWindowPosition(*this, positionSettings_, positionKeys_, iniPath_);
    event->accept();
    emit closed();
}

void ToolWindow::dragEnterEvent(QDragEnterEvent* event) { AcceptFileListDrag(event); }

void ToolWindow::dragMoveEvent(QDragMoveEvent* event) { AcceptFileListDrag(event); }

void ToolWindow::dropEvent(QDropEvent* event) {
    const auto path = FirstDroppedFilePath(event->mimeData());
    if (!path) return;
    event->acceptProposedAction();
    FollowPath(*path);
}

}  // namespace pelmora
