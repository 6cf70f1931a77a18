#pragma once
// Every caption and message of the main window, its start-up and its progress dialog.

namespace pelmora::texts {

inline constexpr const char* kAppTitle = "Pelmora";

// Form1
inline constexpr const char* kSelectAllButton = "↑全て選択";
inline constexpr const char* kRefreshButton = "表示更新";
inline constexpr const char* kFileFrame = "ファイル";
inline constexpr const char* kListFilesButton = "ファイル名を取得";
inline constexpr const char* kListAllFilesBelowButton = "配下の全ファイル名を取得";
inline constexpr const char* kListArchiveButton = "書庫内ファイル名を取得";
inline constexpr const char* kOpenWithAssociationButton = "関連付け起動";
inline constexpr const char* kFolderFrame = "フォルダ";
inline constexpr const char* kListFolderNameButton = "フォルダ名を取得";
inline constexpr const char* kListSubfoldersButton = "直下のフォルダ名を取得";
inline constexpr const char* kListAllSubfoldersButton = "配下の全フォルダ名を取得";
inline constexpr const char* kFolderTreeButton = "ツリーを取得";

// Menus
inline constexpr const char* kMenuJump = "ジャンプ";
inline constexpr const char* kMenuSetting = "設定";
inline constexpr const char* kMenuView = "ビュー";
inline constexpr const char* kMenuChoiView = "ちょいView";
inline constexpr const char* kMenuHexView = "HexView";
inline constexpr const char* kMenuAclView = "ACLView";
inline constexpr const char* kMenuNet = "ネットワーク";
inline constexpr const char* kMenuNetView = "ネットワーク参照";
inline constexpr const char* kMenuNetAttach = "ネットワークドライブ接続";
inline constexpr const char* kMenuNetDetach = "ネットワークドライブ切断";
inline constexpr const char* kMenuHelp = "ヘルプ";
inline constexpr const char* kMenuReadme = "Readme.txt";
inline constexpr const char* kMenuVersion = "Version";

// Browser messages
inline constexpr const char* kDriveUnavailable = "ドライブが利用できません";
inline constexpr const char* kFolderReadFailed = "フォルダの参照に失敗しました";

// Start-up messages
inline constexpr const char* kStartupDriveUnavailable = "ドライブが利用できません。";
inline constexpr const char* kStartupFailed = "初期設定に失敗しました。";

// Form2
inline constexpr const char* kProgressDialog = "処理中です・・・";
inline constexpr const char* kProgressBlinkLabel = "処理中です";
inline constexpr const char* kProgressCancelButton = "中止する";

}  // namespace pelmora::texts
