// pelmora-render: draws one file as ChoiView shows it and writes it as PNG. pelmora-list
// render decides what the file is (the settings' gates) and becomes this program, so the
// lister itself stays free of Qt. It needs no display.

#include <QBuffer>
#include <QGuiApplication>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/atomic_file_write.h"
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
    const std::vector<std::string> arguments(argv, argv + argc);
    const auto request = pelmora::ParseRenderProgramArguments(arguments);
    if (!request) {
        std::fprintf(stderr, "%s\n", pelmora::render_texts::kUsage.data());
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(QuietQtMessages);
    // Qt sees the program's name alone: a file name is never taken for one of its options.
    int qtArgumentCount = 1;
    QGuiApplication application(qtArgumentCount, argv);

    const pelmora::RenderedPicture drawn = pelmora::DrawForRequest(*request);
    if (drawn.image.isNull()) {
        Complain(drawn.failure);
        return 1;
    }
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!drawn.image.save(&buffer, "PNG") ||
        !pelmora::platform::ReplaceFileContents(request->output, std::string_view(png.constData(), static_cast<std::size_t>(png.size())))) {
        Complain(std::string(pelmora::render_texts::kCannotWrite) + request->output);
        return 1;
    }
    return 0;
}
