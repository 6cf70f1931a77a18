#pragma once
// The readme's file name and the texts of the About box (Form8).

namespace pelmora::help_texts {

inline constexpr char kReadmeName[] = "Readme.txt";
inline constexpr char kReadmeMissing[] = "Readme.txtが見つかりません";
// The desktop's opener could not show the file; its path follows on the next line.
inline constexpr char kOpenFailed[] = "ファイルを開けませんでした";

inline constexpr char kProductName[] = "Pelmora";
inline constexpr char kVersionPrefix[] = "Version ";
inline constexpr char kLinkTip[] = "ダブルクリックするとReadme.txtを開きます";
inline constexpr char kClose[] = "Close";

}  // namespace pelmora::help_texts
