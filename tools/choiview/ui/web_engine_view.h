#pragma once
// The web engine view of ChoiView's browser display. The engine (a whole browser) starts
// only when the first view is made, so a run that never shows a web page does not pay for it.

#include <QWebEngineView>

class QWebEngineProfile;

namespace pelmora {

// A view with a profile of its own that keeps nothing on disk. A local page loads its own
// resources and may reach the network, but what it may load from the local disk is limited
// by LocalPageMayLoad (local_page_access.h), so its scripts cannot read other local files;
// plug-ins are off, and loading a page does not take the keyboard focus. Running as root,
// the engine runs without its sandbox, which refuses to start for root.
class WebEngineView : public QWebEngineView {
    Q_OBJECT
public:
    explicit WebEngineView(QWidget* parent);
    // The page goes before its profile.
    ~WebEngineView() override;

private:
    QWebEngineProfile* profile_ = nullptr;
};

}  // namespace pelmora
