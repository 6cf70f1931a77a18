#pragma once
// Form9 "ACLView": who may do what with one file or folder, one line per access entry.
// Failures are single lines in the list, never message boxes. Opening again starts from
// an empty list.

#include <string>

#include "platform/security.h"
#include "settings/settings_record.h"
#include "tools/common/ui/tool_window.h"

class QListWidget;

namespace pelmora {

class MiddleElidedLabel;

class AclViewWindow : public ToolWindow {
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

private:
    const platform::SecurityService& security_;
    MiddleElidedLabel* pathLabel_ = nullptr;
    QListWidget* accessList_ = nullptr;
};

}  // namespace pelmora
