#pragma once
// The objectNames of the About box (Form8), shared by the box and the tests. The captions
// are in help_texts.h.

namespace pelmora::about_names {

inline constexpr char kWindow[] = "Form8";
inline constexpr char kPicture[] = "Image1";
inline constexpr char kProductLabel[] = "Label1";
inline constexpr char kVersionLabel[] = "Label2";
inline constexpr char kLinkLabel[] = "Label3";
inline constexpr char kCloseLabel[] = "Label4";

}  // namespace pelmora::about_names
