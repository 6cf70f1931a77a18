#pragma once
// Form9 "ACLView": who may do what with one file or folder, one line per access entry.
// Shows what the main window's file list hands it and what is dropped on it; failures are
// single lines in the list, never message boxes. Closing saves the position and hides the
// window (the owner may delete it); opening again starts from an empty list.

#include <QWidget>
#include <string>

#include "app/follow_target.h"
#include "platform/security.h"
#include "settings/settings_record.h"

class QLabel;
class QListWidget;

namespace pelmora {

class AclViewWindow : public QWidget, public FollowTarget {
    Q_OBJECT
public:
    AclViewWindow(Settings& settings, const std::string& iniPath, QWidget* parent = nullptr);
    // With another security service (tests); it must outlive the window.
    AclViewWindow(Settings& settings, const std::string& iniPath, const platform::SecurityService& security,
                  QWidget* parent = nullptr);

    // Places the window (saved place or centred), empties it and shows it.
    void OpenAtPlacement();

    // Replaces the label and the whole list for path.
    void ShowAclOfPath(const std::string& path);

    void FollowPath(const std::string& path) override { ShowAclOfPath(path); }

signals:
    // After the position has been saved.
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    Settings& settings_;
    std::string iniPath_;
    const platform::SecurityService& security_;
    QLabel* label1_ = nullptr;
    QListWidget* list1_ = nullptr;
};

}  // namespace pelmora
