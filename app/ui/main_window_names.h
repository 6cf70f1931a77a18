#pragma once
// The objectNames of the main window (Form1), its progress dialog (Form2) and the windows it
// opens. They keep the design's names; the window, the busy state and the tests all find
// the widgets through these constants. The captions are in main_window_texts.h.

namespace pelmora::main_window_names {

inline constexpr char kMainWindow[] = "Form1";

// The browser
inline constexpr char kDriveList[] = "Drive1";
inline constexpr char kFolderList[] = "Dir1";
inline constexpr char kPatternBox[] = "Combo1";
inline constexpr char kFileList[] = "File1";
inline constexpr char kPicturePanel[] = "UserControl11";
inline constexpr char kSelectAllButton[] = "Command3";
inline constexpr char kRefreshButton[] = "Command4";

// The folder commands
inline constexpr char kFolderFrame[] = "Frame1";
inline constexpr char kListFolderNameButton[] = "Command6";
inline constexpr char kListSubfoldersButton[] = "Command9";
inline constexpr char kListAllSubfoldersButton[] = "Command12";
inline constexpr char kFolderTreeButton[] = "Command5";

// The file commands
inline constexpr char kFileFrame[] = "Frame2";
inline constexpr char kListFilesButton[] = "Command1";
inline constexpr char kListAllFilesBelowButton[] = "Command7";
inline constexpr char kListArchiveButton[] = "Command11";
inline constexpr char kOpenWithAssociationButton[] = "Command10";

// The menus
inline constexpr char kJumpMenu[] = "mnu_Jump";
inline constexpr char kSettingMenu[] = "mnu_Setting";
inline constexpr char kViewMenu[] = "mnu_view";
inline constexpr char kChoiViewMenu[] = "mnu_ChiView";
inline constexpr char kHexViewMenu[] = "mnu_HexView";
inline constexpr char kAclViewMenu[] = "mnu_ACLView";
inline constexpr char kNetMenu[] = "mnu_net";
inline constexpr char kNetViewMenu[] = "mnu_netView";
inline constexpr char kNetAttachMenu[] = "mnu_netAttach";
inline constexpr char kNetDetachMenu[] = "mnu_netDetach";
inline constexpr char kHelpMenu[] = "mnu_help";
inline constexpr char kReadmeMenu[] = "mnu_readme";
inline constexpr char kVersionMenu[] = "mnu_ver";

// The progress dialog
inline constexpr char kProgressDialog[] = "Form2";
inline constexpr char kProgressBlinkLabel[] = "Label1";
inline constexpr char kProgressActivityLabel[] = "Label2";
inline constexpr char kProgressCancelButton[] = "Command1";
inline constexpr char kProgressBlinkTimer[] = "Timer1";

// The windows the menus open that have no header of their own yet (HexView and ACLView
// name theirs in tools/*/ui/*_names.h).
inline constexpr char kSettingsWindow[] = "Form3";
inline constexpr char kNetworkWindow[] = "Form4";
inline constexpr char kChoiViewWindow[] = "Form5";
inline constexpr char kJumpWindow[] = "Form7";
inline constexpr char kVersionWindow[] = "Form8";

}  // namespace pelmora::main_window_names
