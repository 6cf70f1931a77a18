#pragma once
// Test texts in the encodings ChoiView reads, made with ICU.

#include <unicode/ucnv.h>

#include <string>
#include <string_view>

namespace pelmora::testing {

// The sentence the encoding tests show: kana, kanji, full-width brackets and a second line.
inline constexpr std::string_view kJapaneseSample =
    "ちょいViewでファイルを表示します。\nこれは二行目の文章で、漢字とカタカナ（テスト）を含みます。\n";

inline std::string Encoded(std::string_view utf8, const char* encoding) {
    std::string out(utf8.size() * 4 + 16, '\0');
    UErrorCode status = U_ZERO_ERROR;
    const int32_t length = ucnv_convert(encoding, "UTF-8", out.data(), static_cast<int32_t>(out.size()), utf8.data(),
                                        static_cast<int32_t>(utf8.size()), &status);
    out.resize(U_SUCCESS(status) ? static_cast<std::size_t>(length) : 0);
    return out;
}

}  // namespace pelmora::testing
