#include "app/ui/help_commands.h"

#include <QAction>
#include <QMainWindow>

#include "app/ui/main_window_names.h"
#include "i18n/translation.h"
#include "listing/engine/job_context.h"
#include "tools/help/help_texts.h"
#include "tools/help/readme_file.h"
#include "tools/help/ui/about_box.h"
#include "tools/help/ui/document_opener.h"

namespace pelmora {

HelpCommands::HelpCommands(std::string programFolder, platform::ProcessStarter& starter, UserDialogs& dialogs,
                           QMainWindow* mainWindow)
    : QObject(mainWindow),
      programFolder_(std::move(programFolder)),
      starter_(starter),
      dialogs_(dialogs),
      mainWindow_(mainWindow),
      opener_(new DocumentOpener(starter, dialogs, mainWindow)) {}

AboutBox* HelpCommands::About() const { return about_; }

void HelpCommands::OpenReadmeFile() {
    const std::string readme = FindReadme(programFolder_);
    if (readme.empty()) {
        dialogs_.ShowMessage(Translated(help_texts::kReadmeMissing));
        return;
    }
    opener_->Open(readme);
}

DocumentOpener& HelpCommands::Opener() const { return *opener_; }

void HelpCommands::ShowAbout() {
    if (!mainWindow_) return;
    QAction* entry = mainWindow_->findChild<QAction*>(main_window_names::kVersionMenu);
    if (!about_) {
        const QIcon picture = mainWindow_->windowIcon().isNull() ? QIcon(QStringLiteral(":/icons/101.png"))
                                                                 : mainWindow_->windowIcon();
        about_ = new AboutBox(picture, [this] { OpenReadmeFile(); }, mainWindow_);
        connect(about_, &AboutBox::closed, this, [entry] {
            if (entry) entry->setEnabled(true);
        });
    }
    // There is no home page: the box points at the documentation installed with the program.
    const std::string readme = FindReadme(programFolder_);
    about_->SetLinkText(QString::fromStdString(readme.empty() ? std::string(help_texts::kReadmeName) : readme));
    about_->Open();
    if (entry) entry->setEnabled(false);
}

}  // namespace pelmora
