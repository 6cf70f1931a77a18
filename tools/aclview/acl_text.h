#pragma once
// The lines ACLView lists for one path: per access entry the account name in a column of
// 34 characters followed by a short rights text, or a single line telling why there are none.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/security.h"

namespace pelmora {

inline constexpr std::size_t kAccountColumnWidth = 34;

// "All" for full control, otherwise the letters R W X D P O of the rights the mask holds
// (in that order); empty when it holds none of them.
std::string AccessMaskText(std::uint32_t mask);

// "アクセス権なし" for a deny entry whatever its mask, AccessMaskText otherwise.
std::string AceRightsText(platform::AccessEntryType type, std::uint32_t mask);

// The UTF-8 name cut to, or padded with spaces to, exactly width characters. A byte that
// is not part of valid UTF-8 counts as one character and is kept as it is.
std::string AccountNameColumn(const std::string& name, std::size_t width = kAccountColumnWidth);

// Every line of the list for path, in entry order; failures are single message lines.
std::vector<std::string> AclLines(const std::string& path, const platform::SecurityService& security);

// "Path:[ " + path + " ]".
std::string AclPathLabelText(const std::string& path);

}  // namespace pelmora
