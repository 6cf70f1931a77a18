#pragma once
// The objectName of the read-only text window that shows a document when the desktop has
// no program to open it.

namespace pelmora::text_file_window_names {

inline constexpr char kWindow[] = "TextFileWindow";

}  // namespace pelmora::text_file_window_names
