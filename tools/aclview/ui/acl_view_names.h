#pragma once
// The objectNames of ACLView (Form9), shared by the window, the main window's busy state and
// the tests. The captions are in aclview_texts.h.

namespace pelmora::acl_view_names {

inline constexpr char kWindow[] = "Form9";
inline constexpr char kPathLabel[] = "Label1";
inline constexpr char kAccessList[] = "List1";

}  // namespace pelmora::acl_view_names
