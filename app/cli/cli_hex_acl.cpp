#include "app/cli/cli_hex_acl.h"

#include <charconv>
#include <cstdint>

#include "app/cli/cli_texts.h"
#include "app/cli/failure_reason.h"
#include "i18n/translation.h"
#include "platform/security.h"
#include "tools/aclview/acl_text.h"
#include "tools/aclview/aclview_texts.h"
#include "tools/hexview/hex_dump_text.h"
#include "tools/hexview/hexview_texts.h"

namespace pelmora::cli {

int RunHex(CliRun& run, const std::vector<std::string>& args) {
    std::int64_t count = run.settings.Hex_ReadByte > 0 ? run.settings.Hex_ReadByte : 1024;
    if (args.size() > 1) {
        const std::string& text = args[1];
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), count);
        if (error != std::errc() || end != text.data() + text.size() || count < 0) {
            Complain(Translated(cli_texts::kNotAByteCount) + text);
            return kExitUsage;
        }
    }
    const std::string dump = HexDumpText(args[0], count);
    // The window shows its failure text in place of the dump; here it goes with the reason
    // to standard error.
    if (dump == Translated(hexview_texts::kReadFailed)) {
        Complain(Translated(hexview_texts::kReadFailed) + ": " + args[0] + ": " +
                 FailureReasonText(FileOpenError(args[0])));
        return FinishCommand(run, true);
    }
    run.job.clipboard.SetText(dump);
    return FinishCommand(run, false);
}

int RunAcl(CliRun& run, const std::vector<std::string>& args) {
    const std::vector<std::string> lines = AclLines(args[0], platform::SystemSecurityService());
    if (lines.size() == 1 &&
        (lines[0] == Translated(aclview_texts::kNoPermissionVolume) || lines[0] == Translated(aclview_texts::kReadFailed))) {
        std::string message = lines[0] + ": " + args[0];
        // A path that is missing says so; the volume's kind is its own reason.
        if (lines[0] == Translated(aclview_texts::kReadFailed)) {
            std::error_code error = FolderOpenError(args[0]);
            if (error == std::errc::not_a_directory) error = FileOpenError(args[0]);
            if (error) message += ": " + FailureReasonText(error);
        }
        Complain(message);
        return FinishCommand(run, true);
    }
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    run.job.clipboard.SetText(text);
    return FinishCommand(run, false);
}

}  // namespace pelmora::cli
