#include "app/ui/clipboard_keeper.h"

#include <QClipboard>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QMimeData>

#include <cstdio>
#include <utility>

#include "app/ui/display_platform.h"
#include "app/ui/dropped_run_texts.h"
#include "app/ui/qt_job_context.h"
#include "i18n/translation.h"
#include "platform/detached_process.h"
#include "platform/standard_input.h"

namespace pelmora {

namespace {

constexpr const char* kOwnedAnswer = "owned";
constexpr const char* kFailedAnswer = "failed";

void Answer(const char* word) {
    std::fputs(word, stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

}  // namespace

bool KeepTextOnClipboard(const std::string& text, const std::string& platformName,
                         std::chrono::milliseconds timeout) {
    const std::string self = platform::ProgramExecutable();
    if (self.empty() || platformName.empty()) return false;
    // The keeper falls back to no display rather than aborting when it cannot connect.
    platform::DetachedStart start = platform::StartDetachedProcess(
        self, {std::string(kKeepClipboardOption), "-platform", platformName + ";offscreen"}, text, timeout);
    return start.reply && *start.reply == kOwnedAnswer;
}

void KeepOwnedClipboardText() {
    const std::string platformName = QGuiApplication::platformName().toStdString();
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!IsDisplayPlatform(platformName) || !clipboard->ownsClipboard()) return;
    const QMimeData* data = clipboard->mimeData();
    // The bytes as they were set: names that are not valid UTF-8 keep them.
    const QByteArray text = data ? data->data("text/plain") : QByteArray();
    if (text.isEmpty() || !KeepTextOnClipboard(text.toStdString(), platformName)) return;
    // Qt learns from an event that the keeper took the clipboard. Until it has, the
    // application's end still counts the text as its own and asks a clipboard manager to
    // save it, waiting for the manager's answer.
    QElapsedTimer waited;
    waited.start();
    while (clipboard->ownsClipboard() && waited.elapsed() < 150) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
}

int RunClipboardKeeper(int argc, char** argv) {
    const std::string text = platform::ReadAllStandardInput();
    QGuiApplication app(argc, argv);
    if (!IsDisplayPlatform(QGuiApplication::platformName().toStdString())) {
        Answer(kFailedAnswer);
        return 1;
    }
    QtClipboardSink().SetText(text);  // names that are not valid UTF-8 keep their bytes
    QClipboard* clipboard = QGuiApplication::clipboard();

    QElapsedTimer waited;
    waited.start();
    while (!clipboard->ownsClipboard() && waited.elapsed() < 5000) {
        QGuiApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    if (!clipboard->ownsClipboard()) {
        Answer(kFailedAnswer);
        return 1;
    }
    // The keeper never changes the clipboard again, so any change is another program taking
    // it. Ownership is not asked here: Qt may report the change before it has processed the
    // loss of the selection, and then still claims to own it.
    QObject::connect(clipboard, &QClipboard::changed, &app, [](QClipboard::Mode mode) {
        if (mode == QClipboard::Clipboard) QGuiApplication::quit();
    });
    Answer(kOwnedAnswer);
    platform::ReleaseStandardStreams();
    // Quitting on the display's going away is Qt's own business: its connection error ends us.
    return app.exec();
}

KeptClipboard::KeptClipboard(std::string platformName, UserDialogs& dialogs)
    : platformName_(std::move(platformName)), dialogs_(dialogs) {}

void KeptClipboard::SetText(const std::string& text) {
    if (KeepTextOnClipboard(text, platformName_)) return;
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fflush(stdout);
    dialogs_.ShowMessage(Translated(texts::kClipboardNotKept));
}

void KeptClipboard::Clear() {
    // Taking the selection away from whoever owns it (an earlier keeper included) empties it.
    QtClipboardSink().Clear();
    QGuiApplication::processEvents();
}

}  // namespace pelmora
