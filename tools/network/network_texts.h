#pragma once
// The network browse window's captions and messages, and those of the network drive
// connection.

#include "i18n/ui_text.h"

namespace pelmora::network_texts {

// Form4
inline constexpr UiText kWindowTitle = PELMORA_UI_TEXT("Network", "Windows Network");
inline constexpr UiText kOpenButton = PELMORA_UI_TEXT("Network", "参    照");
inline constexpr char kPlaceholderNode[] = "internal node";
inline constexpr UiText kOpenFailedSuffix = PELMORA_UI_TEXT("Network", " にアクセスできません。");
inline constexpr UiText kTableFull = PELMORA_UI_TEXT("Network",
    "ネットワークの項目が上限の1000件に達しました。ウィンドウを開き直すと続きを参照できます。");
inline constexpr UiText kUnknownError = PELMORA_UI_TEXT("Network", "原因不明のエラーです。");
inline constexpr UiText kKnownServersGroup = PELMORA_UI_TEXT("Network", "既知のサーバー");
inline constexpr UiText kAddServerMenu = PELMORA_UI_TEXT("Network", "サーバーを追加...");
inline constexpr UiText kAddServerPrompt = PELMORA_UI_TEXT("Network", "サーバーの名前またはアドレス:");
inline constexpr UiText kBadServerName = PELMORA_UI_TEXT("Network", "サーバーは名前、IPv4 アドレス、[IPv6 アドレス] のいずれかで入力してください。");
inline constexpr UiText kCancelButton = PELMORA_UI_TEXT("Network", "キャンセル");

// Connect and disconnect
inline constexpr UiText kConnectTitle = PELMORA_UI_TEXT("Network", "ネットワークドライブ接続");
inline constexpr UiText kConnectShare = PELMORA_UI_TEXT("Network", "共有(&S):");
inline constexpr UiText kConnectShareHint = PELMORA_UI_TEXT("Network", "//サーバー/共有");
inline constexpr UiText kConnectUser = PELMORA_UI_TEXT("Network", "ユーザー名(&U):");
inline constexpr UiText kConnectDomain = PELMORA_UI_TEXT("Network", "ドメイン(&D):");
inline constexpr UiText kConnectPassword = PELMORA_UI_TEXT("Network", "パスワード(&P):");
inline constexpr UiText kConnectBadShare = PELMORA_UI_TEXT("Network", "共有は //サーバー/共有 の形で入力してください。");
inline constexpr UiText kConnectNoShareName = PELMORA_UI_TEXT("Network", "共有の名前がありません。共有は //サーバー/共有 の形で入力してください。");
inline constexpr UiText kConnectBadServer = PELMORA_UI_TEXT("Network",
    "サーバーは名前、IPv4 アドレス、[IPv6 アドレス] のいずれかで、ユーザー名やポートを付けずに入力してください。");
inline constexpr UiText kConnectFolderNotShare = PELMORA_UI_TEXT("Network",
    "フォルダーは接続できません。共有だけを //サーバー/共有 の形で入力してください。");
inline constexpr UiText kConnectNoSuchShareSuffix = PELMORA_UI_TEXT("Network", " という共有はサーバーにありません。");
inline constexpr UiText kConnectFailedSuffix = PELMORA_UI_TEXT("Network", " に接続できません。");
inline constexpr UiText kConnectSaveFailed = PELMORA_UI_TEXT("Network", "接続を設定ファイルに書き込めませんでした。");
inline constexpr UiText kDisconnectTitle = PELMORA_UI_TEXT("Network", "ネットワークドライブ切断");
inline constexpr UiText kDisconnectNone = PELMORA_UI_TEXT("Network", "接続しているネットワークドライブはありません。");
inline constexpr UiText kDisconnectSaveFailed = PELMORA_UI_TEXT("Network", "切断を設定ファイルに書き込めませんでした。");

}  // namespace pelmora::network_texts
