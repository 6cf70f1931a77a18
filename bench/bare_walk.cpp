// The floor of a recursive listing: a walk that reads each folder once, uses the entry type
// the folder reports, does one statx per file relative to its folder and formats the line
// "path","size","date time" into one buffer. No sorting, no patterns, no progress. The
// recursive listing benchmark compares pelmora-list against this.

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

namespace {

void AppendNumber(std::string& out, unsigned long long value, int width) {
    char digits[24];
    int length = std::snprintf(digits, sizeof digits, "%0*llu", width, value);
    out.append(digits, static_cast<std::size_t>(length));
}

void AppendLine(std::string& out, const std::string& path, const struct statx& status) {
    out.push_back('"');
    out.append(path);
    out.append("\",\"");
    AppendNumber(out, status.stx_size, 1);
    out.append("\",\"");
    const time_t seconds = status.stx_mtime.tv_sec;
    struct tm local {};
    localtime_r(&seconds, &local);
    AppendNumber(out, static_cast<unsigned long long>(local.tm_year + 1900), 4);
    out.push_back('/');
    AppendNumber(out, static_cast<unsigned long long>(local.tm_mon + 1), 2);
    out.push_back('/');
    AppendNumber(out, static_cast<unsigned long long>(local.tm_mday), 2);
    out.push_back(' ');
    AppendNumber(out, static_cast<unsigned long long>(local.tm_hour), 1);
    out.push_back(':');
    AppendNumber(out, static_cast<unsigned long long>(local.tm_min), 2);
    out.push_back(':');
    AppendNumber(out, static_cast<unsigned long long>(local.tm_sec), 2);
    out.append("\"\r\n");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: bare_walk FOLDER\n");
        return 2;
    }
    std::string out;
    std::vector<std::string> pending{argv[1]};
    while (!pending.empty()) {
        const std::string folder = std::move(pending.back());
        pending.pop_back();
        const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0) continue;
        DIR* dir = fdopendir(fd);
        if (dir == nullptr) {
            close(fd);
            continue;
        }
        std::string path;
        while (const dirent* entry = readdir(dir)) {
            const char* name = entry->d_name;
            if (name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'))) continue;
            path.assign(folder).append("/").append(name);
            if (entry->d_type == DT_DIR) {
                pending.push_back(path);
                continue;
            }
            struct statx status {};
            if (statx(fd, name, AT_STATX_SYNC_AS_STAT, STATX_TYPE | STATX_SIZE | STATX_MTIME, &status) != 0) continue;
            if (S_ISDIR(status.stx_mode)) {
                pending.push_back(path);
                continue;
            }
            AppendLine(out, path, status);
        }
        closedir(dir);
    }
    std::fwrite(out.data(), 1, out.size(), stdout);
    return 0;
}
