#pragma once
// What pelmora-render writes on standard error, after "pelmora-list: " (it runs in
// pelmora-list's place), each followed by the file's path.

#include <string_view>

#include "i18n/ui_text.h"

namespace pelmora::render_texts {

inline constexpr std::string_view kProgramName = "pelmora-list: ";
inline constexpr UiText kCannotDraw = PELMORA_UI_TEXT("Render", "cannot draw ");
inline constexpr UiText kCannotWrite = PELMORA_UI_TEXT("Render", "cannot write ");
inline constexpr UiText kConversionFailed = PELMORA_UI_TEXT("Render", "LibreOffice could not convert ");
inline constexpr UiText kNeedsLibreOffice = PELMORA_UI_TEXT("Render", "LibreOffice is needed (soffice) for ");
inline constexpr UiText kAuthenticationFileRefused = PELMORA_UI_TEXT("Render", "authentication file refused: ");
inline constexpr std::string_view kUsage =
    "usage: pelmora-render picture|plugin|pdf|office SIZE [--authentication-file FILE] -- FILE OUT.png (run by pelmora-list render)";

}  // namespace pelmora::render_texts
