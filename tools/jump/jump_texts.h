#pragma once
// The Jump window's captions and message.

namespace pelmora::jump_texts {

inline constexpr char kWindowTitle[] = "Jump";
inline constexpr char kRegisterButton[] = "登録";
inline constexpr char kEmptySlot[] = "無し";
inline constexpr char kHint[] = "登録しているフォルダに移動します";
inline constexpr char kJumpFailed[] = "フォルダの参照に失敗しました";
// A folder whose path is longer than a bookmark keeps; the path follows on the next line.
inline constexpr char kPathTooLong[] = "フォルダのパスが255バイトを超えるため登録できません";

}  // namespace pelmora::jump_texts
