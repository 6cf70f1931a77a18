// pelmora-render: draws one file as ChoiView shows it and writes it as PNG. pelmora-list
// render decides what the file is (the settings' gates) and becomes this program, so the
// lister itself stays free of Qt. It needs no display.

#include <QBuffer>
#include <QGuiApplication>
#include <QImageWriter>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "common/authentication_file.h"
#include "i18n/catalogue_table.h"
#include "i18n/translation.h"
#include "platform/atomic_file_write.h"
#include "platform/smb_credentials.h"
#include "platform/system_messages.h"
#include "tools/render/render_request.h"
#include "tools/render/render_texts.h"
#include "tools/render/ui/rendered_picture.h"

namespace {

void Complain(const std::string& text) {
    std::fprintf(stderr, "%s%s\n", pelmora::render_texts::kProgramName.data(), text.c_str());
}

// Qt's own remarks (fonts, runtime folders) are no news to whoever asked for a thumbnail.
void QuietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtFatalMsg) std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
}

}  // namespace

int main(int argc, char** argv) {
    pelmora::InstallCatalogueTranslation();
    const std::vector<std::string> arguments(argv, argv + argc);
    const auto request = pelmora::ParseRenderProgramArguments(arguments);
    if (!request) {
        std::fprintf(stderr, "%s\n", pelmora::render_texts::kUsage.data());
        return 2;
    }
    // The lister checked the file already; it is read again here, with the same checks, as it
    // may have changed since. Its credentials answer a share that refuses the guest.
    std::optional<pelmora::FileCredentialAsker> asker;
    if (!request->authenticationFile.empty()) {
        pelmora::AuthenticationFile file = pelmora::ReadAuthenticationFile(request->authenticationFile);
        if (!file.credentials) {
            Complain(pelmora::Translated(pelmora::render_texts::kAuthenticationFileRefused) + request->authenticationFile);
            return 2;
        }
        asker.emplace(std::move(*file.credentials));
        pelmora::platform::SmbCredentialStore::ForThisRun().SetAsker(&*asker);
    }
    // The asker lives on this stack frame: no request may find it after the drawing.
    struct AskerReset {
        ~AskerReset() { pelmora::platform::SmbCredentialStore::ForThisRun().SetAsker(nullptr); }
    } askerReset;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(QuietQtMessages);
    // Qt sees the program's name alone: a file name is never taken for one of its options.
    int qtArgumentCount = 1;
    QGuiApplication application(qtArgumentCount, argv);
    // After the application object, which set every locale category from the environment.
    pelmora::platform::UseLanguageForSystemMessages(pelmora::UiLanguageOfThisProcess());

    const pelmora::RenderedPicture drawn = pelmora::DrawForRequest(*request);
    if (drawn.image.isNull()) {
        Complain(drawn.failure);
        return 1;
    }
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "PNG");
    // zlib level 3 (Qt maps quality 60 so): a thumbnail is written on every look at a
    // folder, and the higher levels cost more time for little less size.
    writer.setQuality(60);
    if (!writer.write(drawn.image) ||
        !pelmora::platform::ReplaceFileContents(request->output, std::string_view(png.constData(), static_cast<std::size_t>(png.size())))) {
        Complain(pelmora::Translated(pelmora::render_texts::kCannotWrite) + request->output);
        return 1;
    }
    return 0;
}
