#pragma once
// The objectNames of HexView (Form6), shared by the window, the main window's busy state and
// the tests. The captions are in hexview_texts.h.

namespace pelmora::hex_view_names {

inline constexpr char kWindow[] = "Form6";
inline constexpr char kPathLabel[] = "Label1";
inline constexpr char kReadCountLabel[] = "Label2";
inline constexpr char kUpdateLabel[] = "Label3";
inline constexpr char kSizeLabel[] = "Label4";
inline constexpr char kDumpText[] = "RichTextBox1";

}  // namespace pelmora::hex_view_names
