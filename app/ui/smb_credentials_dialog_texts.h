#pragma once
// Texts of the dialog that asks for a network share's user and password.

#include <string_view>

namespace pelmora {

inline constexpr std::string_view kSmbCredentialsCaption = "ネットワーク パスワードの入力";
// Follows the share's path.
inline constexpr std::string_view kSmbCredentialsPrompt = " に接続するユーザー名とパスワードを入力してください。";
inline constexpr std::string_view kSmbCredentialsRefused = "ユーザー名またはパスワードが正しくありません。";
inline constexpr std::string_view kSmbUserLabel = "ユーザー名：";
inline constexpr std::string_view kSmbDomainLabel = "ドメイン/ワークグループ：";
inline constexpr std::string_view kSmbPasswordLabel = "パスワード：";

}  // namespace pelmora
