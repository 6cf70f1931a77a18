#pragma once
// objectNames of the network credentials dialog.

namespace pelmora::names {

inline constexpr const char* kSmbCredentialsDialog = "FormSmbCredentials";
inline constexpr const char* kSmbUser = "txtSmbUser";
inline constexpr const char* kSmbDomain = "txtSmbDomain";
inline constexpr const char* kSmbPassword = "txtSmbPassword";
inline constexpr const char* kSmbRefused = "lblSmbRefused";

}  // namespace pelmora::names
