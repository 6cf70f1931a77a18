#pragma once
// The texts ChoiView shows.

namespace pelmora::choiview_texts {

inline constexpr const char* kCaption = "ちょいView";
inline constexpr const char* kFrontCheck = "前面";
inline constexpr const char* kOpenFailed = "ファイルオープンに失敗しました";
// The last line of a text too long to show whole.
inline constexpr const char* kTextCut = "（ここから先は表示していません）";
// The text view's context menu.
inline constexpr const char* kTextCopy = "コピー(&C)";
inline constexpr const char* kTextSelectAll = "すべて選択(&A)";
// After a plug-in's file name: it is there but could not show the picture, or it is missing.
inline constexpr const char* kPluginFailedSuffix = "による表示に失敗しました";
inline constexpr const char* kPluginMissingSuffix = "が見つかりません";
// The media player's controls.
inline constexpr const char* kMediaPlay = "再生";
inline constexpr const char* kMediaPause = "一時停止";
inline constexpr const char* kMediaStop = "停止";
inline constexpr const char* kMediaVolume = "音量";

// The short pages of the web-browser display.
inline constexpr const char* kConverting = "変換中…";
inline constexpr const char* kNeedsLibreOffice =
    "この文書を表示するには LibreOffice（soffice）が必要です。インストールすると PDF に変換して表示します。";
inline constexpr const char* kConversionFailed = "この文書は PDF に変換できませんでした。";
inline constexpr const char* kFlashNotPlayable = "Flash（SWF）を再生できる、保守されているエンジンはありません。";

}  // namespace pelmora::choiview_texts
