#pragma once
// Which display of ChoiView serves a file, decided by its extension alone. Each group of
// extensions is switched on by one ChoiView key; a gate is open only when its key is exactly
// "1".

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "settings/settings_record.h"

namespace pelmora {

namespace viewer_kind {
inline constexpr std::string_view kText = "TEXT";
inline constexpr std::string_view kOtherText = "other_TEXT";
inline constexpr std::string_view kPictureBox = "PBOX";
inline constexpr std::string_view kPlugin = "SUSIE";
inline constexpr std::string_view kBrowser = "IE";
inline constexpr std::string_view kMediaPlayer = "MPLAYER";
inline constexpr std::string_view kArchive = "ARC";
}  // namespace viewer_kind

struct ViewerKindRule {
    std::vector<std::string_view> extensions;  // upper case, without the dot
    std::string_view kind;
    std::string Settings::*gate;
    // A closed gate ends the search with no kind, instead of falling to other_TEXT.
    bool closedGateShowsNothing = false;
};

// The rules in the order they are tried.
std::span<const ViewerKindRule> ViewerKindRules();

// The kind word for an extension (upper case, without the dot; compared exactly): the first
// rule that names it with an open gate; otherwise other_TEXT when CV_other_txt is "1", except
// for LZH, ZIP and TXT, whose own rule alone decides. Empty: the file is not shown.
std::string_view ViewerKindOfExtension(std::string_view extension, const Settings& settings);

// The kind ChoiView shows the file at path as: the kind of its extension, but empty for a
// path without one and for an other_TEXT file whose first CV_txt_CheckSize bytes hold a NUL
// (IsBinaryFile).
std::string_view ViewerKindOfFile(const std::string& path, const Settings& settings);

}  // namespace pelmora
