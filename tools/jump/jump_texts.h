#pragma once
// The Jump window's captions and message.

#include "i18n/ui_text.h"

namespace pelmora::jump_texts {

inline constexpr char kWindowTitle[] = "Jump";
inline constexpr UiText kRegisterButton = PELMORA_UI_TEXT("Jump", "登録");
inline constexpr UiText kEmptySlot = PELMORA_UI_TEXT("Jump", "無し");
inline constexpr UiText kHint = PELMORA_UI_TEXT("Jump", "登録しているフォルダに移動します");
inline constexpr UiText kJumpFailed = PELMORA_UI_TEXT("Jump", "フォルダの参照に失敗しました");
// A folder whose path is longer than a bookmark keeps; the path follows on the next line.
inline constexpr UiText kPathTooLong = PELMORA_UI_TEXT("Jump", "フォルダのパスが255バイトを超えるため登録できません");

}  // namespace pelmora::jump_texts
