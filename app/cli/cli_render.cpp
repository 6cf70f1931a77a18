#include "app/cli/cli_render.h"

#include "app/cli/cli_texts.h"
#include "i18n/translation.h"
#include "platform/file_system.h"
#include "platform/file_system_service.h"
#include "platform/process_runner.h"
#include "tools/choiview/viewable_file.h"
#include "tools/render/render_request.h"

namespace pelmora::cli {

namespace {

// FILE, OUT.png and --size N in any order of option and names; nothing when they are not so.
std::optional<RenderRequest> ReadRenderArguments(const std::vector<std::string>& args) {
    RenderRequest request;
    std::vector<std::string> names;
    bool sized = false;
    for (std::size_t at = 0; at < args.size(); ++at) {
        if (args[at] == "--size" && !sized && at + 1 < args.size()) {
            const std::optional<int> size = ParseRenderSize(args[++at]);
            if (!size) {
                Complain(Translated(cli_texts::kNotARenderSize) + args[at]);
                return std::nullopt;
            }
            request.size = *size;
            sized = true;
        } else {
            names.push_back(args[at]);
        }
    }
    if (names.size() != 2 || names[0].empty() || names[1].empty()) {
        Complain(Translated(cli_texts::kWrongArgumentCount) + "render");
        return std::nullopt;
    }
    request.file = PathFromArgument(names[0]);
    request.output = PathFromArgument(names[1]);
    return request;
}

}  // namespace

int RunRender(CliRun& run, const std::vector<std::string>& args) {
    std::optional<RenderRequest> request = ReadRenderArguments(args);
    if (!request) return kExitUsage;
    const std::string& file = request->file;
    if (!platform::FileSystemFor(file).Facts(file)) {
        Complain(Translated(cli_texts::kNotFound) + file);
        return kExitFailure;
    }
    // A FIFO or device would keep the drawing waiting for bytes that may never come.
    if (!IsRegularFileToView(file)) {
        Complain(Translated(cli_texts::kCannotRead) + file + ": " + Translated(cli_texts::kNotARegularFile));
        return kExitFailure;
    }
    const RenderChoice choice = RenderChoiceOfFile(file, run.settings);
    if (!choice.source) {
        Complain(choice.kind.empty() ? Translated(cli_texts::kNotShownByChoiView) + file
                                     : Translated(cli_texts::kCannotRenderKind) + std::string(choice.kind) + ": " + file);
        return kExitFailure;
    }
    request->source = *choice.source;
    // The helper reads the file itself: a password never goes on a command line.
    request->authenticationFile = run.authenticationFile;
    std::string error;
    platform::ReplaceThisProcess(
        RenderProgramArguments(platform::JoinPath(platform::ProgramFolder(), kRenderProgram), *request), error);
    Complain(Translated(cli_texts::kCannotStartRenderer) + error);
    return kExitFailure;
}

}  // namespace pelmora::cli
