#pragma once
// The readme's file name and the texts of the About box (Form8).

namespace pelmora::help_texts {

inline constexpr char kReadmeName[] = "Readme.txt";
inline constexpr char kReadmeMissing[] = "Readme.txtが見つかりません";

inline constexpr char kProductName[] = "Pelmora";
inline constexpr char kVersionPrefix[] = "Version ";
inline constexpr char kLinkTip[] = "ダブルクリックするとReadme.txtを開きます";
inline constexpr char kClose[] = "Close";

}  // namespace pelmora::help_texts
