#pragma once
// Texts of the listing engine's result sort and output, byte for byte as the user sees them.

#include <string_view>

namespace pelmora {

// Progress of the result sort: prefix, then "i/n", then the suffix.
inline constexpr std::string_view kSortProgressPrefix = "ファイル名を並び替え中(";
inline constexpr std::string_view kSortProgressSuffix = ")";

inline constexpr std::string_view kSaveDialogTitle = "取得したファイル名を保存します";
inline constexpr std::string_view kSaveDialogFilter = "*.txt|*.txt|*.csv|*.csv|*.*|*.*";
inline constexpr std::string_view kSaveCancelled = "保存を中止しました";
inline constexpr std::string_view kSaved = "保存しました";
inline constexpr std::string_view kSaveFailed = "書き込み中にエラーが発生しました\r\n中止します";

// The collectors (selected, recursive, folder and dropped-item listings).
inline constexpr std::string_view kAskSubfolderSearch =
    "サブフォルダー内の検索は時間がかかる場合があります。\r\n実行しますか？";
inline constexpr std::string_view kCancelledMessage = "中止しました";
inline constexpr std::string_view kSearchingSubfolders = "サブフォルダを検索中";
inline constexpr std::string_view kSortingFileNames = "ファイル名を並び替え中";
inline constexpr std::string_view kTransferredFileCount = "クリップボードへ転送しました。\r\nファイル数：";
inline constexpr std::string_view kTransferredFolderCount = "クリップボードへ転送しました。\r\nフォルダ数：";
inline constexpr std::string_view kNothingCollected = "取得数 0 です";
inline constexpr std::string_view kFileReferenceFailed = "ファイルの参照に失敗しました\r\n中止します";
inline constexpr std::string_view kFolderNameFailed = "ファルダ名の取得に失敗しました";
inline constexpr std::string_view kSubfolderNamesFailed = "サブファルダ名の取得に失敗しました";
inline constexpr std::string_view kDroppedSortError = "sort error";
// Follows the name of the folder that could not be read.
inline constexpr std::string_view kFolderReadFailedQuestion =
    "の読み取りに失敗しました。\r\n参照権があるか確認してください。\r\n中止しますか？\r\n"
    "「いいえ」を選択するとスキップし続行します。";

}  // namespace pelmora
