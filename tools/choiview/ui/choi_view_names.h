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

// The context menu of RichTextBox1.
inline constexpr char kTextCopyMenu[] = "mnu_TextCopy";
inline constexpr char kTextSelectAllMenu[] = "mnu_TextSelectAll";

// Inside MediaPlayer1: the picture of a video and the transport controls.
inline constexpr char kMediaVideo[] = "MediaVideo";
inline constexpr char kMediaPlay[] = "MediaPlay_Button";
inline constexpr char kMediaPause[] = "MediaPause_Button";
inline constexpr char kMediaStop[] = "MediaStop_Button";
inline constexpr char kMediaPosition[] = "MediaPosition_Slider";
inline constexpr char kMediaTime[] = "MediaTime_Label";
inline constexpr char kMediaVolume[] = "MediaVolume_Slider";
// In place of the video for a file without pictures: its name and length.
inline constexpr char kMediaAudioInfo[] = "MediaAudioInfo";
inline constexpr char kMediaAudioName[] = "MediaAudioName_Label";
inline constexpr char kMediaAudioLength[] = "MediaAudioLength_Label";

}  // namespace pelmora::choi_view_names
