#pragma once
// The objectNames of ChoiView (Form5), shared by the window, its displays and the tests. The
// captions are in choiview_texts.h.

namespace pelmora::choi_view_names {

inline constexpr char kWindow[] = "Form5";
inline constexpr char kPicture[] = "Picture1";
inline constexpr char kHorizontalScroll[] = "HScroll1";
inline constexpr char kVerticalScroll[] = "VScroll1";
inline constexpr char kText[] = "RichTextBox1";
inline constexpr char kWebBrowser[] = "WebBrowser1";
inline constexpr char kMediaPlayer[] = "MediaPlayer1";
inline constexpr char kFrontCheck[] = "Check1";

}  // namespace pelmora::choi_view_names
