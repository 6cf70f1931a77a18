#pragma once
// The help menu: Readme.txt opened with the desktop's program (a failure told, with no
// program at all shown in a text window), and the About box, whose menu entry stays
// disabled while it is open.

#include <QObject>
#include <QPointer>
#include <string>

class QMainWindow;

namespace pelmora {

namespace platform {
class ProcessStarter;
}
class AboutBox;
class DocumentOpener;
class UserDialogs;

class HelpCommands : public QObject {
    Q_OBJECT
public:
    HelpCommands(std::string programFolder, platform::ProcessStarter& starter, UserDialogs& dialogs,
                 QMainWindow* mainWindow);

    void OpenReadmeFile();  // mnu_readme
    void ShowAbout();       // mnu_ver

    AboutBox* About() const;
    DocumentOpener& Opener() const;

private:
    std::string programFolder_;
    platform::ProcessStarter& starter_;
    UserDialogs& dialogs_;
    QPointer<QMainWindow> mainWindow_;
    QPointer<AboutBox> about_;
    DocumentOpener* opener_;
};

}  // namespace pelmora
