#pragma once
// Every caption and message of the main window, its start-up and its progress dialog.

#include "i18n/ui_text.h"

namespace pelmora::texts {

inline constexpr const char* kAppTitle = "Pelmora";

// Form1
inline constexpr UiText kSelectAllButton = PELMORA_UI_TEXT("MainWindow", "↑全て選択");
inline constexpr UiText kRefreshButton = PELMORA_UI_TEXT("MainWindow", "表示更新");
inline constexpr UiText kFileFrame = PELMORA_UI_TEXT("MainWindow", "ファイル");
inline constexpr UiText kListFilesButton = PELMORA_UI_TEXT("MainWindow", "ファイル名を取得");
inline constexpr UiText kListAllFilesBelowButton = PELMORA_UI_TEXT("MainWindow", "配下の全ファイル名を取得");
inline constexpr UiText kListArchiveButton = PELMORA_UI_TEXT("MainWindow", "書庫内ファイル名を取得");
inline constexpr UiText kOpenWithAssociationButton = PELMORA_UI_TEXT("MainWindow", "関連付け起動");
inline constexpr UiText kFolderFrame = PELMORA_UI_TEXT("MainWindow", "フォルダ");
inline constexpr UiText kListFolderNameButton = PELMORA_UI_TEXT("MainWindow", "フォルダ名を取得");
inline constexpr UiText kListSubfoldersButton = PELMORA_UI_TEXT("MainWindow", "直下のフォルダ名を取得");
inline constexpr UiText kListAllSubfoldersButton = PELMORA_UI_TEXT("MainWindow", "配下の全フォルダ名を取得");
inline constexpr UiText kFolderTreeButton = PELMORA_UI_TEXT("MainWindow", "ツリーを取得");

// Menus
inline constexpr UiText kMenuJump = PELMORA_UI_TEXT("MainWindow", "ジャンプ");
inline constexpr UiText kMenuSetting = PELMORA_UI_TEXT("MainWindow", "設定");
inline constexpr UiText kMenuView = PELMORA_UI_TEXT("MainWindow", "ビュー");
inline constexpr UiText kMenuChoiView = PELMORA_UI_TEXT("MainWindow", "ちょいView");
inline constexpr const char* kMenuHexView = "HexView";
inline constexpr const char* kMenuAclView = "ACLView";
inline constexpr UiText kMenuNet = PELMORA_UI_TEXT("MainWindow", "ネットワーク");
inline constexpr UiText kMenuNetView = PELMORA_UI_TEXT("MainWindow", "ネットワーク参照");
inline constexpr UiText kMenuNetAttach = PELMORA_UI_TEXT("MainWindow", "ネットワークドライブ接続");
inline constexpr UiText kMenuNetDetach = PELMORA_UI_TEXT("MainWindow", "ネットワークドライブ切断");
inline constexpr UiText kMenuHelp = PELMORA_UI_TEXT("MainWindow", "ヘルプ");
inline constexpr const char* kMenuReadme = "Readme.txt";
inline constexpr const char* kMenuVersion = "Version";

// Browser messages
inline constexpr UiText kDriveUnavailable = PELMORA_UI_TEXT("MainWindow", "ドライブが利用できません");
inline constexpr UiText kFolderReadFailed = PELMORA_UI_TEXT("MainWindow", "フォルダの参照に失敗しました");

// Start-up messages
inline constexpr UiText kStartupDriveUnavailable = PELMORA_UI_TEXT("MainWindow", "ドライブが利用できません。");
inline constexpr UiText kStartupFailed = PELMORA_UI_TEXT("MainWindow", "初期設定に失敗しました。");

// Form2
inline constexpr UiText kProgressDialog = PELMORA_UI_TEXT("MainWindow", "処理中です・・・");
inline constexpr UiText kProgressBlinkLabel = PELMORA_UI_TEXT("MainWindow", "処理中です");
inline constexpr UiText kProgressCancelButton = PELMORA_UI_TEXT("MainWindow", "中止する");

}  // namespace pelmora::texts
