#pragma once
// The frame HexView and ACLView share: a top-level window that shows what the main
// window's file list hands it and the first file of a shell drop, that opens at its saved
// position and saves it when it closes. Closing only hides it (the owner may delete it).

#include <QWidget>
#include <string>

#include "common/follow_target.h"
#include "common/ui/window_position.h"
#include "settings/settings_record.h"

namespace pelmora {

class ToolWindow : public QWidget, public FollowTarget {
    Q_OBJECT
public:
    ToolWindow(Settings& settings, std::string iniPath, const WindowPositionKeys& positionKeys, QWidget* parent);

signals:
    // After the position has been saved.
    void closed();

protected:
    // Shows the window at its saved place, or centred.
    void ShowAtSavedPosition();

    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    // A drop shows its first file as a click in the file list would.
    void dropEvent(QDropEvent* event) override;

private:
    Settings& positionSettings_;
    std::string iniPath_;
    WindowPositionKeys positionKeys_;
};

}  // namespace pelmora
