// pelmora-tree PATH [/F] [/A]: prints the folder tree below PATH, with two volume header
// lines first, as the tree program of the original platform does.

#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#include "listing/console/console_job_context.h"
#include "platform/file_system_service.h"
#include "platform/program_start.h"
#include "platform/time_zone.h"
#include "tools/tree/tree_drawing.h"

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

constexpr const char* kUsage =
    "usage: pelmora-tree PATH [/F] [/A]\n"
    "Draws the folder tree below PATH, subfolders in the program's name order.\n"
    "  /F  list the files of each folder before its subfolders\n"
    "  /A  draw with ASCII characters instead of box-drawing ones\n"
    "The first two lines name the volume: the mount point holding PATH, and a serial\n"
    "number made from the file system's id. Hidden entries (names beginning with \".\")\n"
    "are left out. Lines end in CR LF.\n"
    "Standard output is what the tree command reads, so a PATH that is no folder still gets\n"
    "its message there, after the two volume lines: \"無効なパスです - PATH\", and it ends\n"
    "with status 1. A folder that cannot be read is drawn empty. Wrong switches: status 2.\n";

}  // namespace

int main(int argc, char** argv) {
    pelmora::platform::PinLocalTimeZone();
    pelmora::platform::ProgramStart programStart(argc, argv);
    argc = programStart.Count();
    argv = programStart.Values();
    // Alone, --help and /? ask for the usage (a folder named so is still drawn as ./--help).
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "/?") == 0)) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    // The path always comes first, so a folder named "/F" is still a path.
    if (argc < 2) {
        std::fputs(kUsage, stderr);
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
            std::fprintf(stderr, "パラメーターが違います - %s\n", argv[i]);
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
