#pragma once
// The settings dialog's captions and messages that are not captions of the binding table.

namespace pelmora::settings_dialog_texts {

inline constexpr char kTitle[] = "設定";
inline constexpr char kSaveButton[] = "設定保存";
inline constexpr char kSaved[] = "設定を保存しました";
inline constexpr char kSaveFailed[] = "設定の保存に失敗しました";

inline constexpr const char* kTabCaptions[] = {"ファイル",      "ファイル[2]",   "フォルダ",   "ツリー",
                                               "ちょいView",    "ちょいView[2]", "ちょいView[3]",
                                               "HexView",       "関連付け",      "その他設定"};
inline constexpr char kFilesFrame[] = "ファイル名取得の設定";
inline constexpr char kFiles2Frame[] = "ファイル名取得の設定２";
inline constexpr char kFoldersFrame[] = "フォルダ名取得の設定";
inline constexpr char kTreeFrame[] = "ツリーを取得の設定";
inline constexpr char kLayoutHelp[] =
    "任意の文字を指定できます。                             不用な場合は文字を削除してください。        "
    "TABを使用したい場合は <TAB> と、                改行したい場合は <CRLF> と入力してください。";
inline constexpr char kChoiViewHeader[] = "ちょいViewで表示する拡張子にチェックを入れてください";
inline constexpr char kSusieNote[] = "(要Susie Plag-in)";
inline constexpr char kOfficeNote[] = "それぞれ対応したAPのインストールが必要です。";
inline constexpr char kOtherNote[] = "表示時にファイルに従いインターネットに接続する場合があります。";
inline constexpr char kStealthNote[] =
    "Win2K/XPでMediaPlayer８以降がインストールされている場合のみ使用できます。 "
    "使用する場合はiniファイルを変更してください。";
inline constexpr char kTransparent[] = "透明";
inline constexpr char kOpaque[] = "不透明";
inline constexpr char kReadCountNote[] = "HexViewで読み取るバイト数を指定してください";
inline constexpr char kByte[] = "byte";
inline constexpr char kReadCountWarning[] = "数値を大きくするとパフォーマンスが悪化します。";
inline constexpr char kLaunchNote[] = "関連付けを無視して起動したいＡＰを指定します";
inline constexpr char kExtensionColumn[] = "拡張子";
inline constexpr char kProgramColumn[] = "AP";
inline constexpr char kBrowseButton[] = "参照";
inline constexpr char kFontsFrame[] = "文字フォント";
inline constexpr char kFontButton[] = "フォント";
inline constexpr char kProgramDialogTitle[] = "起動するプログラムを選択してください";
inline constexpr char kProgramsFilter[] = "Programs (*)";
inline constexpr char kAllFilesFilter[] = "All files (*)";

}  // namespace pelmora::settings_dialog_texts
