#pragma once
// The objectNames of the network browse window (Form4) and of the connect and disconnect
// dialogs, shared by the windows and the tests. The captions are in network_texts.h.

namespace pelmora::network_names {

inline constexpr char kWindow[] = "Form4";
inline constexpr char kTree[] = "TreeView1";
inline constexpr char kOpenButton[] = "Command1";
inline constexpr char kCancelButton[] = "CancelButton";
inline constexpr char kChaseTimer[] = "Timer1";

inline constexpr char kConnectDialog[] = "NetAttachDialog";
inline constexpr char kConnectShare[] = "ShareText";
inline constexpr char kConnectUser[] = "UserText";
inline constexpr char kConnectDomain[] = "DomainText";
inline constexpr char kConnectPassword[] = "PasswordText";
inline constexpr char kDisconnectDialog[] = "NetDetachDialog";
inline constexpr char kDisconnectList[] = "ShareList";

}  // namespace pelmora::network_names
