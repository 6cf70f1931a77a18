#include "tools/render/ui/rendered_picture.h"

#include <QPainter>
#include <QPdfDocument>
#include <algorithm>
#include <cmath>
#include <future>
#include <memory>
#include <optional>

#include "i18n/translation.h"
#include "listing/engine/job_context.h"
#include "listing/engine/path_ops.h"
#include "tools/choiview/converted_pdf_cache.h"
#include "tools/choiview/office_conversion.h"
#include "tools/choiview/plugin_picture.h"
#include "tools/choiview/ui/pdf_document_read.h"
#include "tools/choiview/ui/picture_file_read.h"
#include "tools/choiview/ui/plugin_picture_image.h"
#include "tools/render/render_texts.h"

namespace pelmora {

namespace {

// Pages are drawn at the screen's usual resolution, as the page view shows them at 100 %.
constexpr double kPageDpi = 96.0;

// A plug-in's complaint is told on standard error; no box ever opens.
class ErrorStreamDialogs : public UserDialogs {
public:
    void ShowMessage(const std::string& text) override { shown += text; }
    bool AskYesNo(const std::string&) override { return false; }
    void Beep() override {}
    std::string shown;
};

QImage Fitted(QImage picture, int limit) {
    if (picture.isNull()) return picture;
    const PixelSize size = FittedSize({picture.width(), picture.height()}, limit);
    if (size.width == picture.width() && size.height == picture.height()) return picture;
    return picture.scaled(size.width, size.height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

// The first page drawn straight at its fitted size, on white.
QImage FirstPage(QPdfDocument& document, int limit) {
    const QSizeF points = document.pagePointSize(0);
    const PixelSize natural{std::max(1, static_cast<int>(std::lround(points.width() * kPageDpi / 72.0))),
                            std::max(1, static_cast<int>(std::lround(points.height() * kPageDpi / 72.0)))};
    const PixelSize size = FittedSize(natural, limit);
    QImage page = document.render(0, QSize(size.width, size.height));
    if (page.isNull()) return page;
    QImage onWhite(page.size(), QImage::Format_RGB32);
    onWhite.fill(Qt::white);
    QPainter(&onWhite).drawImage(0, 0, page);
    return onWhite;
}

// The converted PDF of an office document, from the cache or converted now (waiting for
// LibreOffice, as nothing else runs here).
std::optional<std::string> ConvertedPdf(const std::string& path, std::string& failure) {
    // Named by its absolute path, as the viewer names it, so the two share the cache entry.
    std::optional<OfficeConversionJob> job = OfficeConversionJobFor(AbsolutePath(path));
    if (!job) {
        failure = Translated(render_texts::kConversionFailed) + path;
        return std::nullopt;
    }
    if (auto cached = ConvertedPdfCache(job->cacheFolder, job->cacheLimit).Find(job->entryName)) return cached;
    std::promise<OfficeConversionResult> ended;
    std::future<OfficeConversionResult> result = ended.get_future();
    OfficeConversion conversion(std::move(*job), [&ended](const OfficeConversionResult& done) { ended.set_value(done); });
    const OfficeConversionResult done = result.get();
    switch (done.outcome) {
        case OfficeConversionOutcome::Converted:
            return done.pdfPath;
        case OfficeConversionOutcome::ProgramMissing:
            failure = Translated(render_texts::kNeedsLibreOffice) + path;
            return std::nullopt;
        case OfficeConversionOutcome::Failed:
        case OfficeConversionOutcome::TimedOut:
            break;
    }
    failure = Translated(render_texts::kConversionFailed) + path;
    return std::nullopt;
}

}  // namespace

RenderedPicture DrawForRequest(const RenderRequest& request) {
    RenderedPicture drawn;
    switch (request.source) {
        case RenderSource::Picture:
            drawn.image = Fitted(ReadPictureFile(request.file), request.size);
            break;
        case RenderSource::PluginPicture: {
            ErrorStreamDialogs dialogs;
            drawn.image = Fitted(ShownPluginPicture(LoadPluginPicture(request.file, DefaultPluginFolders()), dialogs),
                                 request.size);
            if (!dialogs.shown.empty()) drawn.failure = dialogs.shown + ": " + request.file;
            break;
        }
        case RenderSource::PdfPage:
        case RenderSource::OfficePage: {
            std::string pdfPath = request.file;
            if (request.source == RenderSource::OfficePage) {
                const std::optional<std::string> converted = ConvertedPdf(request.file, drawn.failure);
                if (!converted) return drawn;
                pdfPath = *converted;
            }
            if (const std::unique_ptr<QPdfDocument> document = ReadPdfDocument(pdfPath))
                drawn.image = FirstPage(*document, request.size);
            break;
        }
    }
    if (drawn.image.isNull() && drawn.failure.empty()) drawn.failure = Translated(render_texts::kCannotDraw) + request.file;
    return drawn;
}

}  // namespace pelmora
