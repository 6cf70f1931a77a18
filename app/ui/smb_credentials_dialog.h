#pragma once
// The window's way of asking for a network share's credentials: a modal dialog with user,
// domain or workgroup, and password. The answer goes to the run's credential store only.

#include <QWidget>

#include "platform/smb_credentials.h"

namespace pelmora {

class QtSmbCredentialAsker final : public platform::SmbCredentialAsker {
public:
    // parent: the window the dialog belongs to (may be null).
    explicit QtSmbCredentialAsker(QWidget* parent) : parent_(parent) {}
    // A dialog can only be shown from the window's thread; the walk's threads read with
    // what that thread was told.
    bool CanAskOnThisThread() const override;
    std::optional<platform::SmbCredentials> Ask(const std::string& server, const std::string& share,
                                                bool again) override;

private:
    QWidget* parent_;
};

}  // namespace pelmora
