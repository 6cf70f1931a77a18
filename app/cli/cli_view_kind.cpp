#include "app/cli/cli_view_kind.h"

#include "app/cli/cli_texts.h"
#include "i18n/translation.h"
#include "platform/file_system_service.h"
#include "tools/choiview/viewer_kind.h"

namespace pelmora::cli {

int RunViewKind(CliRun& run, const std::vector<std::string>& args) {
    // The kind comes from the extension alone, but a file that is not there has none.
    if (!platform::FileSystemFor(args[0]).Facts(args[0])) {
        Complain(Translated(cli_texts::kNotFound) + args[0]);
        return FinishCommand(run, true);
    }
    run.job.clipboard.SetText(std::string(ViewerKindOfFile(args[0], run.settings)) + "\r\n");
    return FinishCommand(run, false);
}

}  // namespace pelmora::cli
