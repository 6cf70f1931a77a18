#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/ui/clipboard_keeper.h"
#include "app/ui/display_platform.h"
#include "app/ui/docked_windows.h"
#include "app/ui/dropped_files_run.h"
#include "app/ui/main_window.h"
#include "app/ui/smb_credentials_dialog.h"
#include "app/ui/qt_translations.h"
#include "app/ui/startup.h"
#include "i18n/catalogue_table.h"
#include "platform/allocator_tuning.h"
#include "tools/choiview/ui/page_file_scheme.h"
#include "platform/file_system.h"
#include "platform/time_zone.h"

int main(int argc, char** argv) {
    pelmora::platform::PinLocalTimeZone();
    // ChoiView's media playback starts and ends threads for every file; with an arena for
    // each new thread the resident memory climbed round after round of files.
    pelmora::platform::LimitAllocatorArenas(2);
    const pelmora::CommandLineChoice choice = pelmora::ClassifyCommandLine(
        std::vector<std::string>(argv + 1, argv + argc), [](const std::string& path) {
            return pelmora::platform::PathExists(path);
        });
    // What is written on the terminal before any window follows the language too.
    if (choice.request != pelmora::CommandLineRequest::Window) pelmora::InstallCatalogueTranslation();
    switch (choice.request) {
        case pelmora::CommandLineRequest::ListPaths:
        case pelmora::CommandLineRequest::KeepClipboard:
            // Paths on the command line are listed without a window; the keeper is part of that run.
            return pelmora::RunDroppedFiles(argc, argv);
        case pelmora::CommandLineRequest::Help:
            std::fputs(pelmora::ProgramUsageText().c_str(), stdout);
            return 0;
        case pelmora::CommandLineRequest::Version:
            std::fputs(pelmora::ProgramVersionText().c_str(), stdout);
            return 0;
        case pelmora::CommandLineRequest::UnknownOption:
            std::fputs(pelmora::UnknownOptionText(choice.offending).c_str(), stderr);
            return 2;
        case pelmora::CommandLineRequest::Window:
            break;
    }
    // Qt would abort without a display; say what is needed instead.
    if (!pelmora::WindowCanBeShown(std::getenv("DISPLAY"), std::getenv("WAYLAND_DISPLAY"),
                                   std::getenv("QT_QPA_PLATFORM"))) {
        pelmora::InstallCatalogueTranslation();
        std::fputs(pelmora::NoDisplayText().c_str(), stderr);
        return 1;
    }

    // Docked windows need a platform that lets the program place them: XWayland when there.
    const std::string platforms = pelmora::WindowRunPlatformPreference(
        std::getenv("DISPLAY"), std::getenv("WAYLAND_DISPLAY"), std::getenv("QT_QPA_PLATFORM"));
    if (!platforms.empty()) qputenv("QT_QPA_PLATFORM", QByteArray::fromStdString(platforms));

    // ChoiView's web display (QtWebEngine) asks for shared OpenGL contexts, which can only be
    // chosen before the application object exists.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    // ChoiView shows files through a URL scheme of its own, known to the engine from the start.
    pelmora::RegisterPageFileScheme();
    QApplication app(argc, argv);
    pelmora::InstallTranslations(app, pelmora::UiLanguageOfThisProcess());
    // Closing the main window ends the program even while tool windows are open.
    QApplication::setQuitOnLastWindowClosed(false);

    pelmora::Settings settings;
    const pelmora::AppPaths paths = pelmora::ResolveAppPaths();
    pelmora::MainWindow window(settings, paths);
    QObject::connect(&window, &pelmora::MainWindow::closed, &app, [] { QCoreApplication::exit(0); });
    // A network share that refuses the guest asks with a dialog over the main window.
    pelmora::QtSmbCredentialAsker credentialAsker(&window);
    pelmora::platform::SmbCredentialStore::ForThisRun().SetAsker(&credentialAsker);
    pelmora::StartupHooks hooks;
    hooks.openJumpWindow = [&window] { window.Docked().OpenJump(); };
    hooks.openNetworkWindow = [&window] { window.Docked().OpenNetwork(); };
    pelmora::RunStartup(window, settings, paths, window.Dialogs(), hooks);
    const int status = app.exec();
    pelmora::platform::SmbCredentialStore::ForThisRun().SetAsker(nullptr);
    pelmora::KeepOwnedClipboardText();
    return status;
}
