#include "tools/choiview/view_text.h"

#include <uchardet.h>
#include <unicode/ucnv.h>

#include <algorithm>
#include <memory>
#include <system_error>

#include "i18n/translation.h"
#include "listing/text/utf8_text.h"
#include "platform/file_system_service.h"
#include "tools/choiview/choiview_texts.h"

namespace pelmora {

namespace {

// The detector needs no more than the head to decide; the whole of a large file would only
// cost time.
constexpr std::size_t kDetectorSampleSize = 256 * 1024;

bool StartsWith(std::string_view bytes, std::string_view mark) { return bytes.substr(0, mark.size()) == mark; }

// The bytes as the encoding reads them, or nothing when a byte sequence is not one of its
// characters. cut: the bytes are the head of a longer text, so a character left incomplete at
// the end is not an error.
std::optional<std::u16string> DecodeStrictly(std::string_view bytes, const char* encoding, bool cut) {
    UErrorCode status = U_ZERO_ERROR;
    UConverter* converter = ucnv_open(encoding, &status);
    if (U_FAILURE(status)) return std::nullopt;
    ucnv_setToUCallBack(converter, UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
    std::u16string text(bytes.size() + 16, u'\0');
    UChar* target = reinterpret_cast<UChar*>(text.data());
    const char* source = bytes.data();
    ucnv_toUnicode(converter, &target, target + text.size(), &source, bytes.data() + bytes.size(), nullptr, !cut,
                   &status);
    ucnv_close(converter);
    if (U_FAILURE(status)) return std::nullopt;
    text.resize(static_cast<std::size_t>(target - reinterpret_cast<UChar*>(text.data())));
    return text;
}

// Whether a text read as Japanese looks like Japanese: at least one full-width character, and
// none from the user-defined area, where stray Western accented letters land in CP932 and
// EUC-JP. Half-width katakana alone do not count: they are Western capitals with accents
// (À to ß) read as CP932.
bool LooksJapanese(const std::u16string& text) {
    bool wide = false;
    for (const char16_t c : text) {
        if (c >= 0xE000 && c <= 0xF8FF) return false;
        if (c >= 0x3000 && !(c >= 0xFF61 && c <= 0xFF9F)) wide = true;
    }
    return wide;
}

// The detector answers with a Japanese encoding or a Unicode form; anything else (a single-
// byte code page above all) is its guess from too little Japanese to go on.
bool IsJapaneseOrUnicode(const std::string& name) {
    return name == "windows-31j" || name == "EUC-JP" || name == "ISO-2022-JP" || name.rfind("UTF-", 0) == 0;
}

// The detector's answer as a converter name ICU knows; empty when it has none.
std::string DetectorEncoding(std::string_view bytes) {
    const std::string_view sample = bytes.substr(0, kDetectorSampleSize);
    std::unique_ptr<std::remove_pointer_t<uchardet_t>, decltype(&uchardet_delete)> detector(uchardet_new(),
                                                                                           &uchardet_delete);
    if (uchardet_handle_data(detector.get(), sample.data(), sample.size()) != 0) return {};
    uchardet_data_end(detector.get());
    std::string name = uchardet_get_charset(detector.get());
    for (char& c : name) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    // Shift_JIS texts on this program's home system are code page 932, its superset; so is
    // windows-1252 of ISO-8859-1.
    if (name == "SHIFT_JIS") return "windows-31j";
    if (name == "ISO-8859-1" || name == "WINDOWS-1252") return "windows-1252";
    if (name.empty() || name == "ASCII") return {};
    UErrorCode status = U_ZERO_ERROR;
    UConverter* converter = ucnv_open(name.c_str(), &status);
    ucnv_close(converter);
    return U_SUCCESS(status) ? name : std::string();
}

std::u16string Convert(std::string_view bytes, const char* encoding) {
    UErrorCode status = U_ZERO_ERROR;
    UConverter* converter = ucnv_open(encoding, &status);
    if (U_FAILURE(status)) return {};
    // No encoding read here gives more than one UTF-16 unit per byte but for the rare
    // four-byte character; a second pass takes the exact length then.
    std::u16string text(bytes.size() + 16, u'\0');
    int32_t length = ucnv_toUChars(converter, text.data(), static_cast<int32_t>(text.size()), bytes.data(),
                                   static_cast<int32_t>(bytes.size()), &status);
    if (status == U_BUFFER_OVERFLOW_ERROR) {
        status = U_ZERO_ERROR;
        ucnv_reset(converter);
        text.assign(static_cast<std::size_t>(length) + 1, u'\0');
        length = ucnv_toUChars(converter, text.data(), static_cast<int32_t>(text.size()), bytes.data(),
                               static_cast<int32_t>(bytes.size()), &status);
    }
    ucnv_close(converter);
    text.resize(U_SUCCESS(status) ? static_cast<std::size_t>(length) : 0);
    return text;
}

// CR LF and CR become LF, in place.
void UnifyLineEnds(std::u16string& text) {
    std::size_t out = 0;
    for (std::size_t at = 0; at < text.size(); ++at) {
        const char16_t c = text[at];
        if (c == u'\r') {
            if (at + 1 < text.size() && text[at + 1] == u'\n') ++at;
            text[out++] = u'\n';
        } else {
            text[out++] = c;
        }
    }
    text.resize(out);
}

std::u16string Utf16(std::string_view utf8) { return Convert(utf8, "UTF-8"); }

}  // namespace

TextEncoding DetectTextEncoding(std::string_view bytes) {
    if (StartsWith(bytes, "\xEF\xBB\xBF")) return {"UTF-8", 3};
    if (StartsWith(bytes, "\xFF\xFE")) return {"UTF-16LE", 2};
    if (StartsWith(bytes, "\xFE\xFF")) return {"UTF-16BE", 2};
    // ISO-2022-JP is 7-bit and so valid UTF-8 too; its escapes tell it apart.
    const bool escapes = bytes.find('\x1B') != std::string_view::npos;
    if (!escapes && IsValidUtf8(bytes)) return {"UTF-8", 0};
    const std::string detected = DetectorEncoding(bytes);
    if (IsJapaneseOrUnicode(detected)) return {detected, 0};
    // A short Japanese text gives the detector too little, and it answers with a Western code
    // page or nothing. The texts this program reads were CP932 by default, so a Japanese
    // reading that holds wins over the guess.
    const std::string_view sample = bytes.substr(0, kDetectorSampleSize);
    const bool cut = sample.size() < bytes.size();
    for (const char* japanese : {"windows-31j", "EUC-JP"}) {
        const auto text = DecodeStrictly(sample, japanese, cut);
        if (text && LooksJapanese(*text)) return {japanese, 0};
    }
    if (!detected.empty()) return {detected, 0};
    if (IsValidUtf8(bytes)) return {"UTF-8", 0};
    return {"windows-1252", 0};
}

std::u16string DecodeTextForView(std::string_view bytes, bool cut) {
    const TextEncoding encoding = DetectTextEncoding(bytes);
    bytes.remove_prefix(encoding.markLength);
    std::u16string text = Convert(bytes, encoding.name.c_str());
    // A character cut at the limit decodes as a substitute (or, in UTF-16, a lone surrogate).
    if (cut && !text.empty() && (text.back() == u'\uFFFD' || (text.back() >= 0xD800 && text.back() <= 0xDBFF)))
        text.pop_back();
    UnifyLineEnds(text);
    if (cut) {
        if (!text.empty() && text.back() != u'\n') text += u'\n';
        text += Utf16(Translated(choiview_texts::kTextCut));
    }
    return text;
}

std::optional<std::u16string> ReadTextForView(const std::string& path, std::size_t limit) {
    std::error_code error;
    const auto file = platform::FileSystemFor(path).OpenFileForReading(path, error);
    if (!file) return std::nullopt;
    const std::uint64_t size = file->Size();
    std::string bytes(static_cast<std::size_t>(std::min<std::uint64_t>(size, limit)), '\0');
    std::size_t filled = 0;
    while (filled < bytes.size()) {
        std::size_t got = 0;
        if (!file->Read(bytes.data() + filled, bytes.size() - filled, got)) return std::nullopt;
        if (got == 0) break;
        filled += got;
    }
    bytes.resize(filled);
    return DecodeTextForView(bytes, size > limit);
}

}  // namespace pelmora
