#pragma once
// Texts of the listing engine's result sort and output, byte for byte as the user sees them.

#include <string_view>

#include "i18n/ui_text.h"

namespace pelmora {

// Progress of the result sort: prefix, then "i/n", then the suffix.
inline constexpr UiText kSortProgressPrefix = PELMORA_UI_TEXT("Listing", "ファイル名を並び替え中(");
inline constexpr std::string_view kSortProgressSuffix = ")";

inline constexpr UiText kSaveDialogTitle = PELMORA_UI_TEXT("Listing", "取得したファイル名を保存します");
inline constexpr std::string_view kSaveDialogFilter = "*.txt|*.txt|*.csv|*.csv|*.*|*.*";
inline constexpr UiText kSaveCancelled = PELMORA_UI_TEXT("Listing", "保存を中止しました");
inline constexpr UiText kSaved = PELMORA_UI_TEXT("Listing", "保存しました");
inline constexpr UiText kSaveFailed = PELMORA_UI_TEXT("Listing", "書き込み中にエラーが発生しました\r\n中止します");

// The collectors (selected, recursive, folder and dropped-item listings).
inline constexpr UiText kAskSubfolderSearch = PELMORA_UI_TEXT("Listing",
    "サブフォルダー内の検索は時間がかかる場合があります。\r\n実行しますか？");
inline constexpr UiText kCancelledMessage = PELMORA_UI_TEXT("Listing", "中止しました");
inline constexpr UiText kSearchingSubfolders = PELMORA_UI_TEXT("Listing", "サブフォルダを検索中");
inline constexpr UiText kSortingFileNames = PELMORA_UI_TEXT("Listing", "ファイル名を並び替え中");
inline constexpr UiText kTransferredFileCount = PELMORA_UI_TEXT("Listing", "クリップボードへ転送しました。\r\nファイル数：");
inline constexpr UiText kTransferredFolderCount = PELMORA_UI_TEXT("Listing", "クリップボードへ転送しました。\r\nフォルダ数：");
inline constexpr UiText kNothingCollected = PELMORA_UI_TEXT("Listing", "取得数 0 です");
inline constexpr UiText kFileReferenceFailed = PELMORA_UI_TEXT("Listing", "ファイルの参照に失敗しました\r\n中止します");
inline constexpr UiText kFolderNameFailed = PELMORA_UI_TEXT("Listing", "ファルダ名の取得に失敗しました");
inline constexpr UiText kSubfolderNamesFailed = PELMORA_UI_TEXT("Listing", "サブファルダ名の取得に失敗しました");
inline constexpr std::string_view kDroppedSortError = "sort error";
// Follows the name of the folder that could not be read.
inline constexpr UiText kFolderReadFailedQuestion = PELMORA_UI_TEXT("Listing",
    "の読み取りに失敗しました。\r\n参照権があるか確認してください。\r\n中止しますか？\r\n"
    "「いいえ」を選択するとスキップし続行します。");

// The folder tree.
inline constexpr UiText kTreeProgramMissing = PELMORA_UI_TEXT("Listing",
    "システムフォルダにTree.comが見つかりません。\r\n中止します。\r\n(9x系Windowsでは使用できません)");
inline constexpr UiText kAskTree = PELMORA_UI_TEXT("Listing",
    "ツリーの取得は時間がかかる場合があります。\r\n途中で中止はできません。\r\n実行しますか？");
inline constexpr UiText kTreeActivity = PELMORA_UI_TEXT("Listing", "ツリー作成中");
inline constexpr UiText kTransferredToClipboard = PELMORA_UI_TEXT("Listing", "クリップボードへ転送しました。");
// Each is followed by the path concerned.
inline constexpr UiText kTreeScriptWriteFailed = PELMORA_UI_TEXT("Listing", "ツリーの取得に失敗しました。\r\n一時ファイルを書き込めません：\r\n");
inline constexpr UiText kTreeStartFailed = PELMORA_UI_TEXT("Listing", "ツリーの取得に失敗しました。\r\nツリーを作成できません：\r\n");
inline constexpr UiText kTreeOutputReadFailed = PELMORA_UI_TEXT("Listing", "ツリーの取得に失敗しました。\r\n出力ファイルを読み込めません：\r\n");

// The archive listing.
inline constexpr UiText kChooseArchive = PELMORA_UI_TEXT("Listing", "LZHまたはZIPファイルを選択してください");
inline constexpr UiText kLzhListingFailed = PELMORA_UI_TEXT("Listing", "LZH取得に失敗しました");
inline constexpr UiText kZipListingFailed = PELMORA_UI_TEXT("Listing", "ZIP取得に失敗しました");
// The listers are libraries linked into the program, so of the two second lines only the
// "present, check its version" one can apply; it names the library in use.
inline constexpr UiText kLzhCheckVersion = PELMORA_UI_TEXT("Listing", "liblhasaのVerを確認してください");
inline constexpr UiText kZipCheckVersion = PELMORA_UI_TEXT("Listing", "libzipのVerを確認してください");

}  // namespace pelmora
