#pragma once
// The settings dialog's captions and messages that are not captions of the binding table.

#include "i18n/ui_text.h"

namespace pelmora::settings_dialog_texts {

inline constexpr UiText kTitle = PELMORA_UI_TEXT("Settings", "設定");
inline constexpr UiText kSaveButton = PELMORA_UI_TEXT("Settings", "設定保存");
inline constexpr UiText kSaved = PELMORA_UI_TEXT("Settings", "設定を保存しました");
inline constexpr UiText kSaveFailed = PELMORA_UI_TEXT("Settings", "設定の保存に失敗しました");

inline constexpr UiText kTabCaptions[] = {
    PELMORA_UI_TEXT("Settings", "ファイル"),
    PELMORA_UI_TEXT("Settings", "ファイル[2]"),
    PELMORA_UI_TEXT("Settings", "フォルダ"),
    PELMORA_UI_TEXT("Settings", "ツリー"),
    PELMORA_UI_TEXT("Settings", "ちょいView"),
    PELMORA_UI_TEXT("Settings", "ちょいView[2]"),
    PELMORA_UI_TEXT("Settings", "ちょいView[3]"),
    PELMORA_UI_TEXT("Settings", "HexView"),
    PELMORA_UI_TEXT("Settings", "関連付け"),
    PELMORA_UI_TEXT("Settings", "その他設定"),
};
inline constexpr UiText kFilesFrame = PELMORA_UI_TEXT("Settings", "ファイル名取得の設定");
inline constexpr UiText kFiles2Frame = PELMORA_UI_TEXT("Settings", "ファイル名取得の設定２");
inline constexpr UiText kFoldersFrame = PELMORA_UI_TEXT("Settings", "フォルダ名取得の設定");
inline constexpr UiText kTreeFrame = PELMORA_UI_TEXT("Settings", "ツリーを取得の設定");
inline constexpr UiText kLayoutHelp = PELMORA_UI_TEXT("Settings",
    "任意の文字を指定できます。                             不用な場合は文字を削除してください。        "
    "TABを使用したい場合は <TAB> と、                改行したい場合は <CRLF> と入力してください。");
inline constexpr UiText kChoiViewHeader = PELMORA_UI_TEXT("Settings", "ちょいViewで表示する拡張子にチェックを入れてください");
inline constexpr UiText kSusieNote = PELMORA_UI_TEXT("Settings", "(要Susie Plag-in)");
inline constexpr UiText kOfficeNote = PELMORA_UI_TEXT("Settings", "それぞれ対応したAPのインストールが必要です。");
inline constexpr UiText kOtherNote = PELMORA_UI_TEXT("Settings", "表示時にファイルに従いインターネットに接続する場合があります。");
inline constexpr UiText kStealthNote = PELMORA_UI_TEXT("Settings",
    "Win2K/XPでMediaPlayer８以降がインストールされている場合のみ使用できます。 "
    "使用する場合はiniファイルを変更してください。");
inline constexpr UiText kTransparent = PELMORA_UI_TEXT("Settings", "透明");
inline constexpr UiText kOpaque = PELMORA_UI_TEXT("Settings", "不透明");
inline constexpr UiText kReadCountNote = PELMORA_UI_TEXT("Settings", "HexViewで読み取るバイト数を指定してください");
inline constexpr char kByte[] = "byte";
inline constexpr UiText kReadCountWarning = PELMORA_UI_TEXT("Settings", "数値を大きくするとパフォーマンスが悪化します。");
inline constexpr UiText kLaunchNote = PELMORA_UI_TEXT("Settings", "関連付けを無視して起動したいＡＰを指定します");
inline constexpr UiText kExtensionColumn = PELMORA_UI_TEXT("Settings", "拡張子");
inline constexpr UiText kProgramColumn = PELMORA_UI_TEXT("Settings", "AP");
inline constexpr UiText kBrowseButton = PELMORA_UI_TEXT("Settings", "参照");
inline constexpr UiText kFontsFrame = PELMORA_UI_TEXT("Settings", "文字フォント");
inline constexpr UiText kFontButton = PELMORA_UI_TEXT("Settings", "フォント");
inline constexpr UiText kProgramDialogTitle = PELMORA_UI_TEXT("Settings", "起動するプログラムを選択してください");
inline constexpr UiText kProgramsFilter = PELMORA_UI_TEXT("Settings", "プログラム (*)");
inline constexpr UiText kAllFilesFilter = PELMORA_UI_TEXT("Settings", "すべてのファイル (*)");

}  // namespace pelmora::settings_dialog_texts
