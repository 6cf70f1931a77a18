#include "platform/text_collation.h"

#include <windows.h>

#include "platform/win32/wide_path_win32.h"

// The system's own comparison under "ja-JP", blind to case, width and kana type. Word sort
// (the default) is kept: it is what the system's lists of names follow.
namespace pelmora::platform {

namespace {

constexpr const wchar_t* kLocale = L"ja-JP";
constexpr DWORD kFlags = NORM_IGNORECASE | NORM_IGNOREWIDTH | NORM_IGNOREKANATYPE;

}  // namespace

bool TextCollationAvailable() {
    static const bool available = IsValidLocaleName(kLocale) != 0;
    return available;
}

struct CollationKeyMaker::State {
    std::vector<BYTE> key = std::vector<BYTE>(256);
};

CollationKeyMaker::CollationKeyMaker(Collator) : state_(std::make_unique<State>()) {}

CollationKeyMaker::~CollationKeyMaker() = default;

void CollationKeyMaker::AppendKey(std::string_view text, std::string& out) {
    if (!TextCollationAvailable()) return;
    const std::wstring wide = win32::WideFromUtf8(text);
    std::vector<BYTE>& key = state_->key;
    const auto map = [&] {
        return LCMapStringEx(kLocale, LCMAP_SORTKEY | kFlags, wide.data(), static_cast<int>(wide.size()),
                             reinterpret_cast<LPWSTR>(key.data()), static_cast<int>(key.size()), nullptr, nullptr, 0);
    };
    int length = map();
    if (length == 0 && GetLastError() == ERROR_INSUFFICIENT_BUFFER) {
        // Asking with no buffer gives the size needed.
        const int needed = LCMapStringEx(kLocale, LCMAP_SORTKEY | kFlags, wide.data(), static_cast<int>(wide.size()),
                                         nullptr, 0, nullptr, nullptr, 0);
        if (needed <= 0) return;
        key.resize(static_cast<std::size_t>(needed));
        length = map();
    }
    if (length <= 0) return;
    // The key ends in a NUL, left out. The system does not promise that none comes before it,
    // so bytes 0 and 1 are written as 1 followed by 1 or 2: bytewise order and prefixes are
    // kept, and the key holds no NUL.
    for (int i = 0; i + 1 < length; ++i) {
        const BYTE byte = key[static_cast<std::size_t>(i)];
        if (byte <= 1) {
            out.push_back('\x01');
            out.push_back(static_cast<char>(byte + 1));
        } else {
            out.push_back(static_cast<char>(byte));
        }
    }
}

int CollateText(std::string_view a, std::string_view b) {
    const std::wstring wideA = win32::WideFromUtf8(a);
    const std::wstring wideB = win32::WideFromUtf8(b);
    const int result = CompareStringEx(kLocale, kFlags, wideA.data(), static_cast<int>(wideA.size()), wideB.data(),
                                       static_cast<int>(wideB.size()), nullptr, nullptr, 0);
    if (result == CSTR_LESS_THAN) return -1;
    if (result == CSTR_GREATER_THAN) return 1;
    if (result != CSTR_EQUAL) {
        // Refused (a text too long for an int): the bytes decide, consistently at least.
        const int bytes = a.compare(b);
        return (bytes > 0) - (bytes < 0);
    }
    // Texts the comparison calls equal can still have different keys (Wine's does so for
    // characters without weight, such as U+FFFD); the keys, which the big sorts go by,
    // decide then, so that every sort of the program agrees.
    thread_local CollationKeyMaker maker;
    thread_local std::string keyA, keyB;
    keyA.clear();
    keyB.clear();
    maker.AppendKey(a, keyA);
    maker.AppendKey(b, keyB);
    const int keys = keyA.compare(keyB);
    return (keys > 0) - (keys < 0);
}

// The characters' order is the system's to keep, and it orders hyphen and apostrophe apart
// from their neighbours (word sort): comparing by ranks would not be exact here.
AsciiRanks CollationAsciiRanks() { return AsciiRanks{}; }

}  // namespace pelmora::platform
