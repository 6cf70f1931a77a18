#pragma once
// Texts of the dialog that asks for a network share's user and password.

#include <string_view>

#include "i18n/ui_text.h"

namespace pelmora {

inline constexpr UiText kSmbCredentialsCaption = PELMORA_UI_TEXT("SmbCredentials", "ネットワーク パスワードの入力");
// Follows the share's path.
inline constexpr UiText kSmbCredentialsPrompt = PELMORA_UI_TEXT("SmbCredentials", " に接続するユーザー名とパスワードを入力してください。");
inline constexpr UiText kSmbCredentialsRefused = PELMORA_UI_TEXT("SmbCredentials", "ユーザー名またはパスワードが正しくありません。");
inline constexpr UiText kSmbUserLabel = PELMORA_UI_TEXT("SmbCredentials", "ユーザー名：");
inline constexpr UiText kSmbDomainLabel = PELMORA_UI_TEXT("SmbCredentials", "ドメイン/ワークグループ：");
inline constexpr UiText kSmbPasswordLabel = PELMORA_UI_TEXT("SmbCredentials", "パスワード：");

}  // namespace pelmora
