#include <QApplication>
#include <string>

#include "app/ui/clipboard_keeper.h"
#include "app/ui/dropped_files_run.h"
#include "app/ui/main_window.h"
#include "app/ui/qt_translations.h"
#include "app/ui/startup.h"
#include "platform/time_zone.h"

namespace {

bool CommandLineIsBlank(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        for (const char* c = argv[i]; *c; ++c) {
            if (*c != ' ') return false;
        }
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    pelmora::platform::PinLocalTimeZone();
    // Paths on the command line are listed without a window.
    if (!CommandLineIsBlank(argc, argv)) return pelmora::RunDroppedFiles(argc, argv);

    QApplication app(argc, argv);
    pelmora::InstallQtJapaneseTranslations(app);
    // Closing the main window ends the program even while tool windows are open.
    QApplication::setQuitOnLastWindowClosed(false);

    pelmora::Settings settings;
    const pelmora::AppPaths paths = pelmora::ResolveAppPaths();
    pelmora::MainWindow window(settings, paths);
    QObject::connect(&window, &pelmora::MainWindow::closed, &app, [] { QCoreApplication::exit(0); });
    pelmora::RunStartup(window, settings, paths, window.Dialogs());
    const int status = app.exec();
    pelmora::KeepOwnedClipboardText();
    return status;
}
