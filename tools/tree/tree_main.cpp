// pelmora-tree PATH [/F] [/A]: prints the folder tree below PATH, with two volume header
// lines first, as the tree program of the original platform does.

#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#include "i18n/catalogue_table.h"
#include "i18n/translation.h"
#include "listing/console/console_job_context.h"
#include "platform/file_system_service.h"
#include "platform/program_start.h"
#include "platform/time_zone.h"
#include "tools/tree/tree_drawing.h"
#include "tools/tree/tree_help_text.h"

namespace {

// Collects lines and writes them in large blocks; a big tree has hundreds of thousands.
class BufferedStdout : public pelmora::TreeLineSink {
public:
    ~BufferedStdout() override { Flush(); }
    void Line(std::string_view text) override {
        buffer_.append(text).append("\r\n");
        if (buffer_.size() >= 1 << 16) Flush();
    }
    void Flush() {
        if (!buffer_.empty()) std::fwrite(buffer_.data(), 1, buffer_.size(), stdout);
        buffer_.clear();
    }

private:
    std::string buffer_;
};

bool IsSwitch(const char* argument, char letter) {
    return argument[0] == '/' && (argument[1] == letter || argument[1] == letter - 'A' + 'a') &&
           argument[2] == '\0';
}

std::string SerialText(std::uint32_t serial) {
    char text[16];
    std::snprintf(text, sizeof text, "%04X-%04X", static_cast<unsigned>(serial >> 16),
                  static_cast<unsigned>(serial & 0xFFFFu));
    return text;
}


}  // namespace

int main(int argc, char** argv) {
    pelmora::platform::PinLocalTimeZone();
    pelmora::platform::ProgramStart programStart(argc, argv);
    argc = programStart.Count();
    argv = programStart.Values();
    pelmora::InstallCatalogueTranslation();
    // Alone, --help and /? ask for the usage (a folder named so is still drawn as ./--help).
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "/?") == 0)) {
        std::fputs(pelmora::Translated(pelmora::kTreeUsage).c_str(), stdout);
        return 0;
    }
    // The path always comes first, so a folder named "/F" is still a path.
    if (argc < 2) {
        std::fputs(pelmora::Translated(pelmora::kTreeUsage).c_str(), stderr);
        return 2;
    }
    const std::string start = argv[1];
    pelmora::TreeOptions options;
    for (int i = 2; i < argc; ++i) {
        if (IsSwitch(argv[i], 'F')) {
            options.showFiles = true;
        } else if (IsSwitch(argv[i], 'A')) {
            options.ascii = true;
        } else {
            std::fprintf(stderr, "%s\n",
                         pelmora::Translated(PELMORA_UI_TEXT("Tree", "パラメーターが違います - %1"), {argv[i]}).c_str());
            return 2;
        }
    }

    BufferedStdout out;
    pelmora::platform::FileSystem& fileSystem = pelmora::platform::FileSystemFor(start);
    const pelmora::platform::VolumeIdentity volume = fileSystem.IdentifyVolume(start);
    out.Line("フォルダー パスの一覧:  ボリューム " + volume.label);
    out.Line("ボリューム シリアル番号は " + SerialText(volume.serial) + " です");
    const auto facts = fileSystem.Facts(start);
    if (!facts || !facts->isFolder) {
        out.Line("無効なパスです - " + start);
        out.Flush();
        return 1;
    }
    // Nothing asks or shows progress: an unreadable folder is drawn empty.
    pelmora::ConsoleJobContext job(false, false, false, {});
    pelmora::DrawFolderTree(start, options, job.context, out);
    out.Flush();
    return std::fflush(stdout) == 0 && !std::ferror(stdout) ? 0 : 1;
}
