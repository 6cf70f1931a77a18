#include "tools/choiview/ui/page_file_scheme.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QPointer>
#include <QThreadPool>
#include <QUrl>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlScheme>

#include <optional>
#include <system_error>

#include "platform/file_system_service.h"
#include "tools/choiview/local_page_access.h"
#include "tools/choiview/page_file_url.h"

namespace pelmora {

namespace {

QByteArray Name(std::string_view scheme) { return QByteArray(scheme.data(), static_cast<qsizetype>(scheme.size())); }

// The whole file, read through the file system that serves its path; nothing when it cannot
// be read (a FIFO or device is refused without being opened).
std::optional<QByteArray> ReadWholeFile(const std::string& path) {
    std::error_code error;
    const auto file = platform::FileSystemFor(path).OpenFileForReading(path, error);
    if (!file) return std::nullopt;
    QByteArray bytes;
    bytes.reserve(static_cast<qsizetype>(std::min<std::uint64_t>(file->Size(), 64u << 20)));
    char chunk[65536];
    std::size_t got = 0;
    while (true) {
        if (!file->Read(chunk, sizeof chunk, got)) return std::nullopt;
        if (got == 0) break;
        bytes.append(chunk, static_cast<qsizetype>(got));
    }
    return bytes;
}

}  // namespace

void RegisterPageFileScheme() {
    if (!QWebEngineUrlScheme::schemeByName(Name(kPageFileScheme)).name().isEmpty()) return;
    // NoAccessAllowed: every file is an opaque origin, so no page reads another file by frame,
    // request or worker.
    QWebEngineUrlScheme files(Name(kPageFileScheme));
    files.setSyntax(QWebEngineUrlScheme::Syntax::Path);
    files.setFlags(QWebEngineUrlScheme::NoAccessAllowed);
    QWebEngineUrlScheme::registerScheme(files);
}

void PageFileSchemeHandler::requestStarted(QWebEngineUrlRequestJob* job) {
    const std::optional<std::string> path =
        PathOfPageFileUrl(job->requestUrl().path(QUrl::FullyEncoded).toStdString());
    if (!path || shown_.empty()) {
        job->fail(QWebEngineUrlRequestJob::RequestDenied);
        return;
    }
    // Decided and read on a worker: resolving links and reading may wait on a share.
    QPointer<QWebEngineUrlRequestJob> pending(job);
    QThreadPool::globalInstance()->start([pending, shown = shown_, path = *path] {
        std::optional<QByteArray> bytes;
        const bool allowed = LocalPageMayLoad(shown, path, LocalFileUse::Embedded);
        if (allowed) bytes = ReadWholeFile(path);
        const QByteArray mime(PageFileMimeType(path).data(), static_cast<qsizetype>(PageFileMimeType(path).size()));
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [pending, allowed, bytes = std::move(bytes), mime] {
                // The engine may have given up on the request meanwhile.
                if (!pending) return;
                if (!allowed) {
                    pending->fail(QWebEngineUrlRequestJob::RequestDenied);
                } else if (!bytes) {
                    pending->fail(QWebEngineUrlRequestJob::UrlNotFound);
                } else {
                    auto* buffer = new QBuffer(pending);
                    buffer->setData(*bytes);
                    buffer->open(QIODevice::ReadOnly);
                    pending->reply(mime, buffer);
                }
            },
            Qt::QueuedConnection);
    });
}

}  // namespace pelmora
