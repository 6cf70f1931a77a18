#pragma once
// The readme's file name and the texts of the About box (Form8).

#include "i18n/ui_text.h"

namespace pelmora::help_texts {

inline constexpr char kReadmeName[] = "Readme.txt";
inline constexpr UiText kReadmeMissing = PELMORA_UI_TEXT("Help", "Readme.txtが見つかりません");
// The desktop's opener could not show the file; its path follows on the next line.
inline constexpr UiText kOpenFailed = PELMORA_UI_TEXT("Help", "ファイルを開けませんでした");

inline constexpr char kProductName[] = "Pelmora";
inline constexpr char kVersionPrefix[] = "Version ";
inline constexpr UiText kLinkTip = PELMORA_UI_TEXT("Help", "ダブルクリックするとReadme.txtを開きます");
inline constexpr char kClose[] = "Close";

}  // namespace pelmora::help_texts
