#pragma once
// Texts of the run without a window that are this program's own (the listing's messages
// live with the collectors, the start-up messages with the main window).

#include "i18n/ui_text.h"

namespace pelmora::texts {

// Shown when no keeper could take the clipboard; the result then goes to standard output.
inline constexpr UiText kClipboardNotKept = PELMORA_UI_TEXT("DroppedRun",
    "クリップボードへの転送に失敗しました。\r\n結果を標準出力に書き出しました。");

// Standard error note of a run without a display when a save is offered.
inline constexpr const char* kNoDisplayForSaveDialog = "pelmora: no display for the save dialog; nothing was saved";

}  // namespace pelmora::texts
