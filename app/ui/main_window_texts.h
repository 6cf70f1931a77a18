#pragma once
// Every caption and message of the main window, its start-up and its progress dialog.

namespace pelmora::texts {

inline constexpr const char* kAppTitle = "Pelmora";

// Form1
inline constexpr const char* kCommand3 = "↑全て選択";
inline constexpr const char* kCommand4 = "表示更新";
inline constexpr const char* kFrame2 = "ファイル";
inline constexpr const char* kCommand1 = "ファイル名を取得";
inline constexpr const char* kCommand7 = "配下の全ファイル名を取得";
inline constexpr const char* kCommand11 = "書庫内ファイル名を取得";
inline constexpr const char* kCommand10 = "関連付け起動";
inline constexpr const char* kFrame1 = "フォルダ";
inline constexpr const char* kCommand6 = "フォルダ名を取得";
inline constexpr const char* kCommand9 = "直下のフォルダ名を取得";
inline constexpr const char* kCommand12 = "配下の全フォルダ名を取得";
inline constexpr const char* kCommand5 = "ツリーを取得";

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
inline constexpr const char* kForm2 = "処理中です・・・";
inline constexpr const char* kForm2Label1 = "処理中です";
inline constexpr const char* kForm2Command1 = "中止する";

}  // namespace pelmora::texts
