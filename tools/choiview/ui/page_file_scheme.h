#pragma once
// The web view's side of the viewer's own URL scheme (page_file_url.h): its registration with
// the engine and the handler that serves the files. The handler reads a file on a worker
// thread through the file system service (a share's file waits on the network), after the
// folder rule of local_page_access.h has let it through, and answers on the window thread.

#include <QByteArray>
#include <QWebEngineUrlSchemeHandler>

#include <cstdint>
#include <string>

#include "tools/choiview/viewer_file_bytes.h"

class QWebEngineUrlRequestJob;

namespace pelmora {

// Makes the scheme known to the engine, with an opaque origin for every URL of it. Must run
// before the engine starts: the program calls it before the application object exists;
// later calls do nothing.
void RegisterPageFileScheme();

// What the scheme answers for one request.
struct PageFileAnswer {
    enum class Outcome {
        Served,    // bytes holds the whole file
        Denied,    // the folder rule refuses it
        NotFound,  // missing, unreadable, or a read that failed part way
        TooLarge,  // more than the limit: never read into memory
    };
    Outcome outcome = Outcome::NotFound;
    QByteArray bytes;
};

// The file at `path` for the page of `shown`, read whole through the file system service
// (it may wait on a share: not for the window thread) if it holds at most `limit` bytes.
PageFileAnswer ReadPageFile(const std::string& shown, const std::string& path,
                            std::uint64_t limit = kViewerMemoryReadLimit);

class PageFileSchemeHandler : public QWebEngineUrlSchemeHandler {
    Q_OBJECT
public:
    using QWebEngineUrlSchemeHandler::QWebEngineUrlSchemeHandler;

    // The file the view was asked to show; what else is served is decided from it.
    void SetShownFile(const std::string& path) { shown_ = path; }
    const std::string& ShownFile() const { return shown_; }

    void requestStarted(QWebEngineUrlRequestJob* job) override;

private:
    std::string shown_;
};

}  // namespace pelmora
