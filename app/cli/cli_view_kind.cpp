#include "app/cli/cli_view_kind.h"

#include "tools/choiview/viewer_kind.h"

namespace pelmora::cli {

int RunViewKind(CliRun& run, const std::vector<std::string>& args) {
    run.job.clipboard.SetText(std::string(ViewerKindOfFile(args[0], run.settings)) + "\r\n");
    return FinishCommand(run, false);
}

}  // namespace pelmora::cli
