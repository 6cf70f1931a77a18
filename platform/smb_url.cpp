#include "platform/smb_url.h"

#include <algorithm>

namespace pelmora::platform {

namespace {

bool IsAsciiAlnum(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'); }

bool IsHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return c - 'A' + 10;
}

// The characters a URL never reads as syntax.
bool IsUnreserved(char c) { return IsAsciiAlnum(c) || c == '-' || c == '_' || c == '.' || c == '~'; }

void AppendEscaped(std::string& url, std::string_view text) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    for (const char c : text) {
        if (IsUnreserved(c)) {
            url += c;
        } else {
            const auto byte = static_cast<unsigned char>(c);
            url += '%';
            url += kHex[byte >> 4];
            url += kHex[byte & 0xF];
        }
    }
}

// Hex groups with colons, at most one "::", and an IPv4 address as the last part allowed.
bool IsIpv6Address(std::string_view text) {
    if (text.size() < 2 || !std::all_of(text.begin(), text.end(), [](char c) {
            return IsHexDigit(c) || c == ':' || c == '.';
        }))
        return false;
    if (std::count(text.begin(), text.end(), ':') < 2) return false;
    const auto doubled = text.find("::");
    return doubled == std::string_view::npos || text.find("::", doubled + 1) == std::string_view::npos;
}

}  // namespace

bool IsPlainServerName(std::string_view server) {
    if (server.empty()) return false;
    if (server.front() == '[') return server.back() == ']' && IsIpv6Address(server.substr(1, server.size() - 2));
    // A leading "-" or "." would be no host name either; "." alone or ".." stays out too.
    if (server.front() == '-' || server.front() == '.') return false;
    return std::all_of(server.begin(), server.end(),
                       [](char c) { return IsAsciiAlnum(c) || c == '-' || c == '_' || c == '.'; });
}

std::string SmbUrl(std::string_view server, std::string_view rest) {
    std::string url = "smb://";
    if (IsPlainServerName(server)) url += server;
    else AppendEscaped(url, server);
    while (!rest.empty()) {
        if (rest.front() == '/') {
            url += '/';
            rest.remove_prefix(1);
            continue;
        }
        const auto end = std::min(rest.find('/'), rest.size());
        AppendEscaped(url, rest.substr(0, end));
        rest.remove_prefix(end);
    }
    return url;
}

std::string SmbUrlOfPath(std::string_view path) {
    if (path.size() >= 2 && path[0] == '/' && path[1] == '/') path.remove_prefix(2);
    const auto serverEnd = std::min(path.find('/'), path.size());
    return SmbUrl(path.substr(0, serverEnd), path.substr(serverEnd));
}

std::string ServerFromLibrary(std::string_view server) {
    std::string decoded;
    decoded.reserve(server.size());
    for (std::size_t at = 0; at < server.size(); ++at) {
        if (server[at] == '%' && at + 2 < server.size() && IsHexDigit(server[at + 1]) &&
            IsHexDigit(server[at + 2])) {
            decoded += static_cast<char>(HexValue(server[at + 1]) * 16 + HexValue(server[at + 2]));
            at += 2;
        } else {
            decoded += server[at];
        }
    }
    return decoded;
}

}  // namespace pelmora::platform
