#pragma once
// The network browse window's captions and messages, and those of the network drive
// connection.

namespace pelmora::network_texts {

// Form4
inline constexpr char kWindowTitle[] = "Windows Network";
inline constexpr char kOpenButton[] = "参    照";
inline constexpr char kPlaceholderNode[] = "internal node";
inline constexpr char kOpenFailedSuffix[] = " にアクセスできません。";
inline constexpr char kTableFull[] =
    "ネットワークの項目が上限の1000件に達しました。ウィンドウを開き直すと続きを参照できます。";
inline constexpr char kUnknownError[] = "原因不明のエラーです。";
inline constexpr char kKnownServersGroup[] = "既知のサーバー";
inline constexpr char kAddServerMenu[] = "サーバーを追加...";
inline constexpr char kAddServerPrompt[] = "サーバーの名前またはアドレス:";
inline constexpr char kBadServerName[] = "サーバーは名前、IPv4 アドレス、[IPv6 アドレス] のいずれかで入力してください。";
inline constexpr char kCancelButton[] = "キャンセル";

// Connect and disconnect
inline constexpr char kConnectTitle[] = "ネットワークドライブ接続";
inline constexpr char kConnectShare[] = "共有(&S):";
inline constexpr char kConnectShareHint[] = "//サーバー/共有";
inline constexpr char kConnectUser[] = "ユーザー名(&U):";
inline constexpr char kConnectDomain[] = "ドメイン(&D):";
inline constexpr char kConnectPassword[] = "パスワード(&P):";
inline constexpr char kConnectBadShare[] = "共有は //サーバー/共有 の形で入力してください。";
inline constexpr char kConnectNoShareName[] = "共有の名前がありません。共有は //サーバー/共有 の形で入力してください。";
inline constexpr char kConnectBadServer[] =
    "サーバーは名前、IPv4 アドレス、[IPv6 アドレス] のいずれかで、ユーザー名やポートを付けずに入力してください。";
inline constexpr char kConnectFolderNotShare[] =
    "フォルダーは接続できません。共有だけを //サーバー/共有 の形で入力してください。";
inline constexpr char kConnectNoSuchShareSuffix[] = " という共有はサーバーにありません。";
inline constexpr char kConnectFailedSuffix[] = " に接続できません。";
inline constexpr char kConnectSaveFailed[] = "接続を設定ファイルに書き込めませんでした。";
inline constexpr char kDisconnectTitle[] = "ネットワークドライブ切断";
inline constexpr char kDisconnectNone[] = "接続しているネットワークドライブはありません。";
inline constexpr char kDisconnectSaveFailed[] = "切断を設定ファイルに書き込めませんでした。";

}  // namespace pelmora::network_texts
