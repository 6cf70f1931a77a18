#pragma once
// The web engine view of ChoiView's browser display. The engine (a whole browser) starts
// only when the first view is made, so a run that never shows a web page does not pay for it.

#include <QElapsedTimer>
#include <QWebEngineView>

#include <memory>
#include <string>

class QWebEngineProfile;

namespace pelmora {

class PageFileSchemeHandler;
class PrivateFileCopy;
class PageRequestGuard;

// A view with a profile of its own that keeps nothing on disk. Files are shown through the
// viewer's own URL scheme (page_file_scheme.h), never as file: URLs: each file is an opaque
// origin, and a page loads only its own resources (local_page_access.h). A page shown from a
// file sends nothing to the network: its remote pictures, styles and scripts are not loaded
// (a link the user follows still opens, and a remote page then works as usual). Plug-ins are
// off, and loading a page does not take the keyboard focus. Running as root, the engine runs
// without its sandbox, which refuses to start for root.
class WebEngineView : public QWebEngineView {
    Q_OBJECT
public:
    explicit WebEngineView(QWidget* parent);
    // The page goes before its profile.
    ~WebEngineView() override;

    // Shows the file at path (local or on a share); what it may load is decided from it. A web
    // archive on a share is shown from its private copy (NeedsLocalCopy), which the caller
    // made and which is kept until the next file; without one the engine shows its error page.
    void ShowFile(const std::string& path, std::unique_ptr<PrivateFileCopy> copy = nullptr);
    // Whether the engine reads the file only from a copy on the local disk: a web archive on
    // a share, which it opens from file: URLs only.
    static bool NeedsLocalCopy(const std::string& path);
    // The URL the view shows a file at.
    static QUrl UrlOfFile(const std::string& path);

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QElapsedTimer lastInput_;  // the user's last click or key in the view
    QWebEngineProfile* profile_ = nullptr;
    PageFileSchemeHandler* files_ = nullptr;
    PageRequestGuard* guard_ = nullptr;
    std::unique_ptr<PrivateFileCopy> archiveCopy_;
};

}  // namespace pelmora
