#pragma once
// The texts ChoiView shows.

namespace pelmora::choiview_texts {

inline constexpr const char* kCaption = "ちょいView";
inline constexpr const char* kFrontCheck = "前面";
inline constexpr const char* kOpenFailed = "ファイルオープンに失敗しました";
// The last line of a text too long to show whole.
inline constexpr const char* kTextCut = "（ここから先は表示していません）";
// The media player's controls.
inline constexpr const char* kMediaPlay = "再生";
inline constexpr const char* kMediaPause = "一時停止";
inline constexpr const char* kMediaStop = "停止";
inline constexpr const char* kMediaVolume = "音量";

}  // namespace pelmora::choiview_texts
