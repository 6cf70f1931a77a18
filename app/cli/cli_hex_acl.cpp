#include "app/cli/cli_hex_acl.h"

#include <charconv>
#include <cstdint>

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
            Complain("not a byte count: " + text);
            return kExitUsage;
        }
    }
    const std::string dump = HexDumpText(args[0], count);
    run.job.clipboard.SetText(dump);
    const bool failed = dump == hexview_texts::kReadFailed;
    if (failed) Complain("cannot read " + args[0]);
    return FinishCommand(run, failed);
}

int RunAcl(CliRun& run, const std::vector<std::string>& args) {
    const std::vector<std::string> lines = AclLines(args[0], platform::SystemSecurityService());
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    run.job.clipboard.SetText(text);
    const bool failed = lines.size() == 1 &&
                        (lines[0] == aclview_texts::kNoPermissionVolume || lines[0] == aclview_texts::kReadFailed);
    if (failed) Complain("no access control list read for " + args[0]);
    return FinishCommand(run, failed);
}

}  // namespace pelmora::cli
