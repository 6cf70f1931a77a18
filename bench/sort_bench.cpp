// Figures for the extension sort of a big listing.
//   sort_bench generate COUNT FILE   writes COUNT "key TAB line" rows (CR LF separated)
//   sort_bench entries FILE          sorts them as the engine does (keys beside the lines)
//   sort_bench text FILE             the same as one process that reads the rows and writes
//                                    the sorted lines (without keys) to standard output
// The sorting modes print "wall-ms cpu-ms" of the sort alone to standard error.
// The rows look like a recursive listing: folders several levels deep, mixed-case
// extensions, Japanese and ASCII names. The same file feeds GNU sort in sort_bench.sh.

#include <chrono>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <iostream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "listing/text/array_sort.h"
#include "listing/engine/entry_formatter.h"

namespace {

int Generate(long count, const char* path) {
    const char* extensions[] = {"txt", "TXT", "cpp", "h", "jpg", "JPG", "png", "exe", "dll", "csv", "md", "", "tar.gz",
                                "html", "Json"};
    const char* words[] = {"report", "Data", "image", "写真", "資料", "notes", "build", "ソース", "readme", "アーカイブ",
                           "Backup", "テスト", "src", "ＦＵＬＬ", "ｶﾅ"};
    std::mt19937 random(12345);
    auto pick = [&](std::size_t n) { return static_cast<std::size_t>(random() % n); };
    std::ofstream out(path, std::ios::binary);
    std::string row;
    for (long i = 0; i < count; ++i) {
        std::string file = "/home/user";
        const std::size_t depth = 1 + pick(4);
        for (std::size_t d = 0; d < depth; ++d) file += "/" + std::string(words[pick(15)]) + std::to_string(pick(50));
        file += "/" + std::string(words[pick(15)]) + "_" + std::to_string(random() % 100000);
        const std::string extension = extensions[pick(15)];
        if (!extension.empty()) file += "." + extension;
        const auto dot = file.rfind('.');
        const std::string key = (dot == std::string::npos ? std::string("   ") : file.substr(dot + 1)) + file;
        row = key + "\t\"" + file + "\",\"" + std::to_string(random() % 10000000) + "\"";
        if (i + 1 < count) row += "\r\n";
        out << row;
    }
    return out ? 0 : 1;
}

struct Clocks {
    std::chrono::steady_clock::time_point wall = std::chrono::steady_clock::now();
    std::clock_t cpu = std::clock();
};

void PrintSince(const Clocks& start) {
    const Clocks now;
    std::fprintf(stderr, "%.0f %.0f\n", std::chrono::duration<double, std::milli>(now.wall - start.wall).count(),
                 1000.0 * static_cast<double>(now.cpu - start.cpu) / CLOCKS_PER_SEC);
}

std::string ReadAll(const char* path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream buffer;
    buffer << in.rdbuf();
    return buffer.str();
}

// The rows as the engine keeps them: the key beside the line.
std::vector<pelmora::FormattedEntry> ReadEntries(const std::string& text) {
    std::vector<pelmora::FormattedEntry> entries;
    std::size_t start = 0;
    while (start <= text.size()) {
        auto end = text.find("\r\n", start);
        if (end == std::string::npos) end = text.size();
        const auto tab = text.find('\t', start);
        entries.push_back({text.substr(start, tab - start), text.substr(tab + 1, end - tab - 1), true});
        start = end + 2;
    }
    return entries;
}

int SortEntries(const char* path) {
    std::vector<pelmora::FormattedEntry> entries = ReadEntries(ReadAll(path));
    const Clocks clocks;
    pelmora::SortEntriesByKey(entries, nullptr);
    PrintSince(clocks);
    return entries.empty() ? 1 : 0;
}

int SortText(const char* path) {
    const Clocks clocks;
    std::vector<pelmora::FormattedEntry> entries = ReadEntries(ReadAll(path));
    pelmora::SortEntriesByKey(entries, nullptr);
    std::string sorted;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (i > 0) sorted += "\r\n";
        sorted += entries[i].line;
    }
    PrintSince(clocks);
    std::fwrite(sorted.data(), 1, sorted.size(), stdout);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "generate" && argc == 4) return Generate(std::stol(argv[2]), argv[3]);
    if (mode == "entries" && argc == 3) return SortEntries(argv[2]);
    if (mode == "text" && argc == 3) return SortText(argv[2]);
    std::cerr << "usage: sort_bench generate COUNT FILE | sort_bench entries|text FILE\n";
    return 2;
}
