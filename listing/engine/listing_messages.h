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

// The folder tree.
inline constexpr std::string_view kTreeProgramMissing =
    "システムフォルダにTree.comが見つかりません。\r\n中止します。\r\n(9x系Windowsでは使用できません)";
inline constexpr std::string_view kAskTree =
    "ツリーの取得は時間がかかる場合があります。\r\n途中で中止はできません。\r\n実行しますか？";
inline constexpr std::string_view kTreeActivity = "ツリー作成中";
inline constexpr std::string_view kTransferredToClipboard = "クリップボードへ転送しました。";
// Each is followed by the path concerned.
inline constexpr std::string_view kTreeScriptWriteFailed = "ツリーの取得に失敗しました。\r\n一時ファイルを書き込めません：\r\n";
inline constexpr std::string_view kTreeStartFailed = "ツリーの取得に失敗しました。\r\nツリーを作成できません：\r\n";
inline constexpr std::string_view kTreeOutputReadFailed = "ツリーの取得に失敗しました。\r\n出力ファイルを読み込めません：\r\n";

// The archive listing.
inline constexpr std::string_view kChooseArchive = "LZHまたはZIPファイルを選択してください";
inline constexpr std::string_view kLzhListingFailed = "LZH取得に失敗しました";
inline constexpr std::string_view kZipListingFailed = "ZIP取得に失敗しました";
// The listers are libraries linked into the program, so of the two second lines only the
// "present, check its version" one can apply; it names the library in use.
inline constexpr std::string_view kLzhCheckVersion = "liblhasaのVerを確認してください";
inline constexpr std::string_view kZipCheckVersion = "libzipのVerを確認してください";

}  // namespace pelmora
