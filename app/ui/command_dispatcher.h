#pragma once
// The main window's listing commands: each runs the engine's collector on the browser's
// state, most of them inside the busy state.

#include <functional>
#include <string>

#include "app/app_paths.h"
#include "listing/engine/job_context.h"
#include "settings/settings_record.h"

namespace pelmora {

namespace platform {
class ProcessStarter;
}

class BrowserController;
class BusyState;

class CommandDispatcher {
public:
    CommandDispatcher(Settings& settings, const AppPaths& paths, BrowserController& browser, BusyState& busy,
                      JobContext& jobs, platform::ProcessStarter& starter);

    // One per button of the main window, named as its caption says.
    void GetFileNames();           // ファイル名を取得
    void FileListDoubleClicked();  // the same listing, without the busy state
    void GetAllFileNamesBelow();   // 配下の全ファイル名を取得
    void GetFolderName();          // フォルダ名を取得
    void GetSubfolderNames();      // 直下のフォルダ名を取得
    void GetAllSubfolderNames();   // 配下の全フォルダ名を取得
    void GetFolderTree();          // ツリーを取得
    void GetArchiveMemberNames();  // 書庫内ファイル名を取得
    void OpenWithAssociation();    // 関連付け起動, without the busy state

    // Runs a command inside the busy state: pending events run once before it and once after.
    // A command that throws shows failureMessage; the busy state is left in any case.
    void RunBusy(const std::function<void()>& command, const std::string& failureMessage);
    // Runs a command without the busy state, with the same error trap.
    void RunDirect(const std::function<void()>& command, const std::string& failureMessage);

    // The main window was closed: the running command stops at its next check of the cancel
    // flag, and no further command starts, also not one whose click is still queued.
    void StopForProgramEnd();

private:
    void Trap(const std::function<void()>& command, const std::string& failureMessage);

    Settings& settings_;
    const AppPaths& paths_;
    BrowserController& browser_;
    BusyState& busy_;
    JobContext& jobs_;
    platform::ProcessStarter& starter_;
    bool programEnding_ = false;
};

}  // namespace pelmora
