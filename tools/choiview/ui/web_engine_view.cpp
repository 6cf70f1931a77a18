#include "tools/choiview/ui/web_engine_view.h"

#include <QFile>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestInterceptor>

#include "platform/file_system.h"
#include "tools/choiview/local_page_access.h"

namespace pelmora {

namespace {

LocalFileUse UseOf(QWebEngineUrlRequestInfo::ResourceType type) {
    using Info = QWebEngineUrlRequestInfo;
    switch (type) {
        case Info::ResourceTypeMainFrame:
        case Info::ResourceTypeNavigationPreloadMainFrame:
            return LocalFileUse::Navigation;
        case Info::ResourceTypeSubFrame:
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

// Every request of the view's pages passes here; local files are let through by the rule.
class LocalFileGuard : public QWebEngineUrlRequestInterceptor {
public:
    using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;

    void interceptRequest(QWebEngineUrlRequestInfo& info) override {
        if (!info.requestUrl().isLocalFile()) return;
        const QUrl page = info.firstPartyUrl();
        const std::string pagePath = page.isLocalFile() ? QFile::encodeName(page.toLocalFile()).toStdString() : "";
        const std::string filePath = QFile::encodeName(info.requestUrl().toLocalFile()).toStdString();
        if (!LocalPageMayLoad(pagePath, filePath, UseOf(info.resourceType()))) info.block(true);
    }
};

}  // namespace

WebEngineView::WebEngineView(QWidget* parent) : QWebEngineView(parent) {
    // Read by the engine when it starts, which is when the first page below is made.
    if (platform::RunningAsSuperuser() && qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX")) {
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    }
    profile_ = new QWebEngineProfile(this);  // no storage name: nothing kept on disk
    profile_->setUrlRequestInterceptor(new LocalFileGuard(profile_));
    QWebEngineSettings* settings = profile_->settings();
    // The engine's own switch would also refuse a page's pictures and styles beside it; the
    // guard above draws the line instead.
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, true);
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, true);
    settings->setAttribute(QWebEngineSettings::PluginsEnabled, false);
    settings->setAttribute(QWebEngineSettings::FocusOnNavigationEnabled, false);
    settings->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
    settings->setAttribute(QWebEngineSettings::JavascriptCanAccessClipboard, false);
    setPage(new QWebEnginePage(profile_, this));
}

WebEngineView::~WebEngineView() { delete page(); }

}  // namespace pelmora
