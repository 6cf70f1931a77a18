#pragma once
// The frame HexView and ACLView share: a top-level window that shows what the main
// window's file list hands it and the first file of a shell drop, and that saves its
// position when it closes. Closing only hides it (the owner may delete it).

#include <QWidget>

#include "common/follow_target.h"

namespace pelmora {

class ToolWindow : public QWidget, public FollowTarget {
    Q_OBJECT
public:
    explicit ToolWindow(QWidget* parent);

signals:
    // After the position has been saved.
    void closed();

protected:
    // Called on close: the window writes its position keys.
    virtual void SavePosition() = 0;

    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    // A drop shows its first file as a click in the file list would.
    void dropEvent(QDropEvent* event) override;
};

}  // namespace pelmora
