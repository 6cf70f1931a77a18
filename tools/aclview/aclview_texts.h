#pragma once
// The texts ACLView shows.

namespace pelmora::aclview_texts {

inline constexpr const char* kCaption = "ACLView";
inline constexpr const char* kPathLabelStart = "Path:[ ";
inline constexpr const char* kPathLabelEnd = " ]";
inline constexpr const char* kEmptyPathLabel = "Path:[ ]";

inline constexpr const char* kNoPermissionVolume = "ドライブがNTFSではありません";
inline constexpr const char* kReadFailed = "取得に失敗しました";
inline constexpr const char* kSpecialRights = "特別なアクセス権";
inline constexpr const char* kDenied = "アクセス権なし";

inline constexpr const char* kAll = "All";
inline constexpr const char* kRead = "R";
inline constexpr const char* kWrite = "W";
inline constexpr const char* kExecute = "X";
inline constexpr const char* kDelete = "D";
inline constexpr const char* kWriteDac = "P";
inline constexpr const char* kWriteOwner = "O";

}  // namespace pelmora::aclview_texts
