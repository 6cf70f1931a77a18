#include "tools/choiview/ui/web_engine_view.h"

#include <QChildEvent>
#include <QFile>
#include <QPointer>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestInterceptor>

#include <functional>

#include "platform/file_system.h"
#include "tools/choiview/local_page_access.h"
#include "tools/choiview/page_file_url.h"
#include "tools/choiview/ui/page_file_scheme.h"
#include "tools/choiview/viewer_file_bytes.h"
#include "tools/choiview/viewer_file_names.h"

namespace pelmora {

namespace {

QString Name(std::string_view scheme) { return QString::fromLatin1(scheme.data(), static_cast<qsizetype>(scheme.size())); }

bool IsPageFile(const QUrl& url) { return url.scheme() == Name(kPageFileScheme); }

// A web archive (MHT) on the local disk. The engine opens archives only from file: URLs, and
// shows them without scripts, each its own origin, with what the archive itself holds.
bool IsArchive(const std::string& path) {
    const std::string extension = ViewerExtension(path);
    return extension == "MHT" || extension == "MHTML";
}

bool IsLocalArchive(const std::string& path) { return IsArchive(path) && !platform::IsNetworkPath(path); }

bool IsRemote(const QUrl& url) { return url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https"); }

LocalFileUse UseOf(QWebEngineUrlRequestInfo::ResourceType type) {
    using Info = QWebEngineUrlRequestInfo;
    switch (type) {
        case Info::ResourceTypeMainFrame:
        case Info::ResourceTypeNavigationPreloadMainFrame:
        case Info::ResourceTypeSubFrame:
        case Info::ResourceTypeNavigationPreloadSubFrame:
            return LocalFileUse::Navigation;
        case Info::ResourceTypeStylesheet:
        case Info::ResourceTypeScript:
        case Info::ResourceTypeImage:
        case Info::ResourceTypeFontResource:
        case Info::ResourceTypeMedia:
        case Info::ResourceTypeFavicon:
        case Info::ResourceTypeSubResource:
            return LocalFileUse::Embedded;
        default:
            return LocalFileUse::Request;
    }
}

// Schemes whose content comes from the page itself, not from a file or the network.
bool IsInPage(const QUrl& url) {
    const QString scheme = url.scheme();
    return scheme == QLatin1String("data") || scheme == QLatin1String("blob") || scheme == QLatin1String("about");
}

}  // namespace

// Every request of the view's pages passes here (on the window thread). What a page of the
// viewer's own scheme may read of other files is decided by the scheme's handler; here the
// network is kept away from such a page, and file: URLs from every page.
class PageRequestGuard : public QWebEngineUrlRequestInterceptor {
public:
    using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;

    // The URL of the file the program shows: always let through as the page itself.
    void SetShownUrl(const QUrl& url) { shown_ = url; }
    // page: the view's page; userActed: whether the user clicked or pressed a key in the view
    // a moment ago.
    void SetPage(QWebEnginePage* page, std::function<bool()> userActed) {
        page_ = page;
        userActed_ = std::move(userActed);
    }

    void interceptRequest(QWebEngineUrlRequestInfo& info) override {
        const QUrl url = info.requestUrl();
        const LocalFileUse use = UseOf(info.resourceType());
        if (info.resourceType() == QWebEngineUrlRequestInfo::ResourceTypeMainFrame && url == shown_) return;
        if (IsPageFile(url)) {
            // Never to a script's request, and never to a page from the network.
            if (use == LocalFileUse::Request || ShowsRemotePage()) info.block(true);
            return;
        }
        // Files are read through the viewer's scheme; file: only for an archive on show, above.
        if (url.isLocalFile()) {
            info.block(true);
            return;
        }
        if (IsInPage(url) || ShowsRemotePage()) return;
        // A page from a file: only a link the user follows leaves for the network (a script
        // navigating on its own counts as a link too, hence the user's click or key).
        const bool followedLink = info.resourceType() == QWebEngineUrlRequestInfo::ResourceTypeMainFrame &&
                                  info.navigationType() == QWebEngineUrlRequestInfo::NavigationTypeLink &&
                                  userActed_ && userActed_();
        if (!followedLink) info.block(true);
    }

private:
    // The page on show came from the network (a link followed from a file's page). Until a
    // page has been shown, and while a file's page is on show, it did not.
    bool ShowsRemotePage() const { return page_ && IsRemote(page_->url()); }

    QPointer<QWebEnginePage> page_;
    std::function<bool()> userActed_;
    QUrl shown_;
};

namespace {

// Refuses, without an error page, a page from a file leaving for the network unless the user
// clicked a link in it a moment ago; a script sending the page away by itself stays where it is.
class ViewerPage : public QWebEnginePage {
public:
    ViewerPage(QWebEngineProfile* profile, QObject* parent, std::function<bool()> userActed)
        : QWebEnginePage(profile, parent), userActed_(std::move(userActed)) {}

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override {
        // Files are shown through the viewer's scheme; a file: URL only for the archive on show.
        if (url.isLocalFile()) return isMainFrame && type == NavigationTypeTyped;
        const bool fromFile = IsPageFile(this->url()) || this->url().isLocalFile();
        if (fromFile && !IsPageFile(url) && !IsInPage(url)) {
            return isMainFrame && type == NavigationTypeLinkClicked && userActed_();
        }
        return QWebEnginePage::acceptNavigationRequest(url, type, isMainFrame);
    }

private:
    std::function<bool()> userActed_;
};

// How long after the user's click or key a page from a file may leave for the network.
constexpr qint64 kFollowLinkMilliseconds = 1500;

}  // namespace

WebEngineView::WebEngineView(QWidget* parent) : QWebEngineView(parent) {
    // Read by the engine when it starts, which is when the first page below is made.
    if (platform::RunningAsSuperuser() && qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX")) {
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    }
    // The viewer's scheme gives every file an opaque origin, but the engine takes what a custom
    // scheme serves for same-origin, so a page could read a picture beside it through a canvas.
    // Every canvas is kept unreadable instead (a page may still draw; it cannot read back).
    QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    if (!flags.contains("--disable-reading-from-canvas")) {
        flags += flags.isEmpty() ? "--disable-reading-from-canvas" : " --disable-reading-from-canvas";
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags);
    }
    // The program registers it at start; this covers a host that made no such call in time
    // (the engine has not started before the first view).
    RegisterPageFileScheme();
    profile_ = new QWebEngineProfile(this);  // no storage name: nothing kept on disk
    guard_ = new PageRequestGuard(profile_);
    profile_->setUrlRequestInterceptor(guard_);
    files_ = new PageFileSchemeHandler(profile_);
    profile_->installUrlSchemeHandler(Name(kPageFileScheme).toLatin1(), files_);
    QWebEngineSettings* settings = profile_->settings();
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, false);
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
    settings->setAttribute(QWebEngineSettings::PluginsEnabled, false);
    settings->setAttribute(QWebEngineSettings::FocusOnNavigationEnabled, false);
    settings->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
    settings->setAttribute(QWebEngineSettings::JavascriptCanAccessClipboard, false);
    settings->setAttribute(QWebEngineSettings::DnsPrefetchEnabled, false);
    settings->setAttribute(QWebEngineSettings::WebRTCPublicInterfacesOnly, true);
    const auto userActed = [this] { return lastInput_.isValid() && lastInput_.elapsed() < kFollowLinkMilliseconds; };
    auto* page = new ViewerPage(profile_, this, userActed);
    guard_->SetPage(page, userActed);
    setPage(page);
}

WebEngineView::~WebEngineView() { delete page(); }

bool WebEngineView::event(QEvent* event) {
    // The engine's input goes to a child widget it makes (and remakes) for the page.
    if (event->type() == QEvent::ChildAdded) {
        if (QObject* child = static_cast<QChildEvent*>(event)->child(); child && child->isWidgetType())
            child->installEventFilter(this);
    }
    return QWebEngineView::event(event);
}

bool WebEngineView::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::KeyPress) lastInput_.start();
    return QWebEngineView::eventFilter(watched, event);
}

bool WebEngineView::NeedsLocalCopy(const std::string& path) { return IsArchive(path) && platform::IsNetworkPath(path); }

void WebEngineView::ShowFile(const std::string& path, std::unique_ptr<PrivateFileCopy> copy) {
    // Without its copy a share's archive stays at its own URL: the engine shows its error page.
    const std::string shown = copy ? copy->Path() : path;
    files_->SetShownFile(shown);
    const QUrl url = UrlOfFile(shown);
    guard_->SetShownUrl(url);
    setUrl(url);
    // The previous copy goes only now that the engine has been sent elsewhere.
    archiveCopy_ = std::move(copy);
}

QUrl WebEngineView::UrlOfFile(const std::string& path) {
    if (IsLocalArchive(path)) return QUrl::fromLocalFile(QFile::decodeName(QByteArray::fromStdString(path)));
    return QUrl(QString::fromLatin1(PageFileUrl(path)));
}

}  // namespace pelmora
