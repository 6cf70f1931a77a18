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

}  // namespace

PageFileAnswer ReadPageFile(const std::string& shown, const std::string& path, std::uint64_t limit) {
    using Outcome = PageFileAnswer::Outcome;
    PageFileAnswer answer;
    if (!LocalPageMayLoad(shown, path, LocalFileUse::Embedded)) {
        answer.outcome = Outcome::Denied;
        return answer;
    }
    // A FIFO or device is refused without being opened.
    std::error_code error;
    const auto file = platform::FileSystemFor(path).OpenFileForReading(path, error);
    if (!file) return answer;
    // Checked before a byte is read, and again as it comes: the file may grow meanwhile.
    if (file->Size() > limit) {
        answer.outcome = Outcome::TooLarge;
        return answer;
    }
    QByteArray bytes;
    bytes.reserve(static_cast<qsizetype>(file->Size()));
    char chunk[65536];
    for (;;) {
        std::size_t got = 0;
        if (!file->Read(chunk, sizeof chunk, got)) return answer;
        if (got == 0) break;
        if (static_cast<std::uint64_t>(bytes.size()) + got > limit) {
            answer.outcome = Outcome::TooLarge;
            return answer;
        }
        bytes.append(chunk, static_cast<qsizetype>(got));
    }
    answer.outcome = Outcome::Served;
    answer.bytes = std::move(bytes);
    return answer;
}

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
        PageFileAnswer answer = ReadPageFile(shown, path);
        const QByteArray mime(PageFileMimeType(path).data(), static_cast<qsizetype>(PageFileMimeType(path).size()));
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [pending, answer = std::move(answer), mime] {
                // The engine may have given up on the request meanwhile.
                if (!pending) return;
                switch (answer.outcome) {
                    case PageFileAnswer::Outcome::Denied:
                        pending->fail(QWebEngineUrlRequestJob::RequestDenied);
                        break;
                    case PageFileAnswer::Outcome::NotFound:
                        pending->fail(QWebEngineUrlRequestJob::UrlNotFound);
                        break;
                    case PageFileAnswer::Outcome::TooLarge:
                        pending->fail(QWebEngineUrlRequestJob::RequestFailed);
                        break;
                    case PageFileAnswer::Outcome::Served: {
                        auto* buffer = new QBuffer(pending);
                        buffer->setData(answer.bytes);
                        buffer->open(QIODevice::ReadOnly);
                        pending->reply(mime, buffer);
                        break;
                    }
                }
            },
            Qt::QueuedConnection);
    });
}

}  // namespace pelmora
