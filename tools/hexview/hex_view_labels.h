#pragma once
// The label texts of HexView: the file's path, its last-modified time and its size, and
// the read count shown when the window opens.

#include <cstdint>
#include <string>

namespace pelmora {

struct HexViewLabelTexts {
    std::string path;    // "Path:[ /a/b.bin ]"
    std::string update;  // "Update:[ 2004/05/06 7:08:09 ]"; "Update:[ ]" when no file is there
    std::string size;    // "Size:[ 1,234byte ]"; "Size:[ ]" when no file is there
};

HexViewLabelTexts HexViewLabels(const std::string& path);

// "先頭より 4,096byte読み込みます".
std::string ReadCountLabelText(std::int64_t count);

// "#,##0": 1234 -> "1,234", negative numbers keep their sign.
std::string GroupedNumberText(std::int64_t value);

}  // namespace pelmora
