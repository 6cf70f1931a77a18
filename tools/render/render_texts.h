#pragma once
// What pelmora-render writes on standard error, after "pelmora-list: " (it runs in
// pelmora-list's place), each followed by the file's path.

#include <string_view>

namespace pelmora::render_texts {

inline constexpr std::string_view kProgramName = "pelmora-list: ";
inline constexpr std::string_view kCannotDraw = "cannot draw ";
inline constexpr std::string_view kCannotWrite = "cannot write ";
inline constexpr std::string_view kConversionFailed = "LibreOffice could not convert ";
inline constexpr std::string_view kNeedsLibreOffice = "LibreOffice is needed (soffice) for ";
inline constexpr std::string_view kAuthenticationFileRefused = "authentication file refused: ";
inline constexpr std::string_view kUsage =
    "usage: pelmora-render picture|plugin|pdf|office SIZE [--authentication-file FILE] -- FILE OUT.png (run by pelmora-list render)";

}  // namespace pelmora::render_texts
