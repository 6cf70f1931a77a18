#include "app/ui/dropped_files_run.h"

#include <QApplication>
#include <QGuiApplication>

#include <cstdlib>
#include <exception>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

#include "app/app_paths.h"
#include "app/ui/clipboard_keeper.h"
#include "app/ui/display_platform.h"
#include "app/ui/dropped_run_services.h"
#include "app/ui/dropped_run_texts.h"
#include "app/ui/main_window_texts.h"
#include "app/ui/qt_job_context.h"
#include "app/ui/qt_translations.h"
#include "app/ui/startup.h"
#include "app/program_files.h"
#include "i18n/catalogue_table.h"
#include "i18n/translation.h"
#include "listing/engine/listing_messages.h"
#include "listing/console/console_job_context.h"
#include "listing/engine/dropped_items.h"
#include "platform/file_system.h"
#include "platform/system_messages.h"
#include "platform/terminal.h"
#include "platform/volume_list.h"
#include "settings/settings_record.h"
#include "settings/settings_store.h"

namespace pelmora {

int RunDroppedFiles(int argc, char** argv) {
    if (argc >= 2 && argv[1] == kKeepClipboardOption) return RunClipboardKeeper(argc, argv);

    const std::vector<std::string> arguments(argv + 1, argv + argc);
    // Without a display the messages take the catalogue's table; with one, Qt's translators.
    InstallCatalogueTranslation();
    platform::UseLanguageForSystemMessages(UiLanguageOfThisProcess());

    // Qt sees the program name only: a dropped file named "-style" or "-platform" must stay
    // a path, not become an option.
    int qtArgc = 1;
    char* qtArgv[] = {argv[0], nullptr};
    std::unique_ptr<QApplication> app;
    const std::string platforms =
        QtPlatformPreference(std::getenv("DISPLAY"), std::getenv("WAYLAND_DISPLAY"), std::getenv("QT_QPA_PLATFORM"));
    if (!platforms.empty()) {
        qputenv("QT_QPA_PLATFORM", QByteArray::fromStdString(platforms));
        app = std::make_unique<QApplication>(qtArgc, qtArgv);
        InstallTranslations(*app, UiLanguageOfThisProcess());
    }
    const std::string platformName = app ? QGuiApplication::platformName().toStdString() : std::string();
    const bool hasDisplay = IsDisplayPlatform(platformName);

    QtUserDialogs messageBoxes(nullptr);
    ConsoleJobContext console(false, platform::StandardErrorIsTerminal(), platform::StandardInputIsTerminal(),
                              texts::kNoDisplayForSaveDialog);
    UserDialogs& dialogs = hasDisplay ? static_cast<UserDialogs&>(messageBoxes) : console.dialogs;

    // The start-up steps that precede the listing: the program's own files, then the settings.
    Settings settings;
    const bool prepared =
        RunStartupSteps(dialogs, [&] { PrepareFilesAndSettings(settings, ResolveAppPaths(), nullptr); });
    if (!prepared) return 1;

    const bool altPressed = hasDisplay && (QGuiApplication::queryKeyboardModifiers() & Qt::AltModifier);

    QuietProgress progress(app != nullptr);
    CancelFlag cancel;
    KeptClipboard keptClipboard(platformName, dialogs);
    QtSaveDialog fileDialog(nullptr);
    JobContext context{progress, cancel, dialogs,
                       hasDisplay ? static_cast<ClipboardSink&>(keptClipboard) : console.clipboard,
                       hasDisplay ? static_cast<SaveDialog&>(fileDialog) : console.saveDialog};
    try {
        const ListingOutcome outcome = ListDroppedItems(arguments, altPressed, settings, context);
        return outcome.failed ? 1 : 0;
    } catch (const std::exception&) {
        dialogs.ShowMessage(Translated(kFileReferenceFailed));
        return 1;
    }
}

}  // namespace pelmora
