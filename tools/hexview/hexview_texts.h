#pragma once
// The texts HexView shows.

#include "i18n/ui_text.h"

namespace pelmora::hexview_texts {

inline constexpr const char* kCaption = "HexView";
inline constexpr UiText kReadFailed = PELMORA_UI_TEXT("HexView", "読み取りに失敗しました");

inline constexpr const char* kPathLabelStart = "Path:[ ";
inline constexpr const char* kUpdateLabelStart = "Update:[ ";
inline constexpr const char* kSizeLabelStart = "Size:[ ";
inline constexpr const char* kLabelEnd = " ]";
inline constexpr const char* kSizeUnit = "byte";
inline constexpr const char* kEmptyPathLabel = "Path:[ ]";
inline constexpr const char* kEmptyUpdateLabel = "Update:[ ]";
inline constexpr const char* kEmptySizeLabel = "Size:[ ]";

inline constexpr UiText kReadCountStart = PELMORA_UI_TEXT("HexView", "先頭より ");
inline constexpr UiText kReadCountEnd = PELMORA_UI_TEXT("HexView", "byte読み込みます");

}  // namespace pelmora::hexview_texts
