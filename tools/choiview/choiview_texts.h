#pragma once
// The texts ChoiView shows.

#include "i18n/ui_text.h"

namespace pelmora::choiview_texts {

inline constexpr UiText kCaption = PELMORA_UI_TEXT("ChoiView", "ちょいView");
inline constexpr UiText kFrontCheck = PELMORA_UI_TEXT("ChoiView", "前面");
inline constexpr UiText kOpenFailed = PELMORA_UI_TEXT("ChoiView", "ファイルオープンに失敗しました");
// The last line of a text too long to show whole.
inline constexpr UiText kTextCut = PELMORA_UI_TEXT("ChoiView", "（ここから先は表示していません）");
// The text view's context menu.
inline constexpr UiText kTextCopy = PELMORA_UI_TEXT("ChoiView", "コピー(&C)");
inline constexpr UiText kTextSelectAll = PELMORA_UI_TEXT("ChoiView", "すべて選択(&A)");
// After a plug-in's file name: it is there but could not show the picture, or it is missing.
inline constexpr UiText kPluginFailedSuffix = PELMORA_UI_TEXT("ChoiView", "による表示に失敗しました");
inline constexpr UiText kPluginMissingSuffix = PELMORA_UI_TEXT("ChoiView", "が見つかりません");
// The media player's controls.
inline constexpr UiText kMediaPlay = PELMORA_UI_TEXT("ChoiView", "再生");
inline constexpr UiText kMediaPause = PELMORA_UI_TEXT("ChoiView", "一時停止");
inline constexpr UiText kMediaStop = PELMORA_UI_TEXT("ChoiView", "停止");
inline constexpr UiText kMediaVolume = PELMORA_UI_TEXT("ChoiView", "音量");

// The short pages of the web-browser display.
inline constexpr UiText kConverting = PELMORA_UI_TEXT("ChoiView", "変換中…");
inline constexpr UiText kNeedsLibreOffice = PELMORA_UI_TEXT("ChoiView",
    "この文書を表示するには LibreOffice（soffice）が必要です。インストールすると PDF に変換して表示します。");
inline constexpr UiText kConversionFailed = PELMORA_UI_TEXT("ChoiView", "この文書は PDF に変換できませんでした。");
inline constexpr UiText kFlashNotPlayable = PELMORA_UI_TEXT("ChoiView", "Flash（SWF）を再生できる、保守されているエンジンはありません。");

}  // namespace pelmora::choiview_texts
