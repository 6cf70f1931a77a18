#pragma once
// The texts ACLView shows.

#include "i18n/ui_text.h"

namespace pelmora::aclview_texts {

inline constexpr const char* kCaption = "ACLView";
inline constexpr const char* kPathLabelStart = "Path:[ ";
inline constexpr const char* kPathLabelEnd = " ]";
inline constexpr const char* kEmptyPathLabel = "Path:[ ]";

inline constexpr UiText kNoPermissionVolume = PELMORA_UI_TEXT("AclView", "ドライブがNTFSではありません");
inline constexpr UiText kReadFailed = PELMORA_UI_TEXT("AclView", "取得に失敗しました");
inline constexpr UiText kSpecialRights = PELMORA_UI_TEXT("AclView", "特別なアクセス権");
inline constexpr UiText kDenied = PELMORA_UI_TEXT("AclView", "アクセス権なし");

inline constexpr const char* kAll = "All";
inline constexpr const char* kRead = "R";
inline constexpr const char* kWrite = "W";
inline constexpr const char* kExecute = "X";
inline constexpr const char* kDelete = "D";
inline constexpr const char* kWriteDac = "P";
inline constexpr const char* kWriteOwner = "O";

}  // namespace pelmora::aclview_texts
