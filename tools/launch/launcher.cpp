#include "tools/launch/launcher.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "i18n/translation.h"
#include "listing/engine/path_ops.h"
#include "platform/desktop_launch.h"
#include "platform/file_system.h"

namespace pelmora {
namespace {

constexpr UiText kAskToRun = PELMORA_UI_TEXT("Launcher",
    "プログラム、スクリプト、コンポーネントファイル、その他、を実行しようとしています。\r\n実行しますか？");
constexpr UiText kProgramNotFound = PELMORA_UI_TEXT("Launcher", " が見つかりません");

constexpr std::array<std::string_view, 44> kGuardedExtensions{
    "AD",  "ADP", "ASP", "BAS", "BAT", "CHM", "CMD", "COM", "CPL", "CRT", "EXE", "HLP", "HTA", "INF", "INS",
    "ISP", "JS",  "JSE", "LNK", "MDB", "MDE", "MSC", "MSI", "MSP", "MST", "PCD", "PIF", "REG", "SCR", "SCT",
    "SHB", "SHS", "URL", "VB",  "VBE", "VBS", "VSD", "VSS", "VST", "VSW", "WS",  "WSC", "WSF", "WSH"};

std::string UpperAscii(std::string_view text) {
    std::string upper(text);
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return upper;
}

}  // namespace

bool IsGuardedExtension(std::string_view upperExtension) {
    return std::find(kGuardedExtensions.begin(), kGuardedExtensions.end(), upperExtension) != kGuardedExtensions.end();
}

LaunchGuard CheckLaunchGuard(const std::string& extStartLock, std::string_view upperExtension, bool runsProgram) {
    if (extStartLock == "0") return LaunchGuard::Allowed;
    if (!IsGuardedExtension(upperExtension) && !runsProgram) return LaunchGuard::Allowed;
    return extStartLock == "2" ? LaunchGuard::Refused : LaunchGuard::Ask;
}

LaunchPlan PlanLaunch(const Settings& settings, std::string_view upperExtension, const std::string& target) {
    for (std::size_t i = 0; i < settings.ShellExeExt.size(); ++i) {
        if (UpperAscii(settings.ShellExeExt[i]) == upperExtension && !settings.ShellExePath[i].empty()) {
            return {static_cast<int>(i) + 1, settings.ShellExePath[i], target};
        }
    }
    return {0, {}, target};
}

void LaunchSelectedFile(const BrowserState& state, const Settings& settings, UserDialogs& dialogs,
                        platform::ProcessStarter& starter) {
    const std::string name = FirstSelectedName(state);
    const std::string path = name.empty() ? state.folder : platform::JoinPath(state.folder, name);
    const std::string extension = name.empty() ? std::string() : UpperAscii(ExtensionPart(name));

    switch (CheckLaunchGuard(settings.ExtStartLock, extension, platform::OpeningRunsProgram(path))) {
        case LaunchGuard::Refused:
            return;
        case LaunchGuard::Ask:
            if (!dialogs.AskYesNo(Translated(kAskToRun))) return;
            break;
        case LaunchGuard::Allowed:
            break;
    }

    const LaunchPlan plan = PlanLaunch(settings, extension, path);
    if (plan.slot == 0) {
        starter.OpenWithDefaultProgram(plan.target);
    } else if (platform::FileExists(plan.program)) {
        starter.StartProgram({plan.program, plan.target});
    } else {
        dialogs.ShowMessage(plan.program + Translated(kProgramNotFound));
    }
}

}  // namespace pelmora
