// ChoiView's text decoding of any bytes: no CR survives (every line end is "\n"), and a valid
// UTF-8 text without a byte-order mark decodes to exactly its own characters.

#include <string>

#include "listing/text/utf8_text.h"
#include "tests/fuzz/fuzz_check.h"
#include "tools/choiview/view_text.h"

namespace {

// UTF-8 to UTF-16 written from the definition, for texts that are known to be valid.
std::u16string Utf16Of(std::string_view text) {
    std::u16string out;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = pelmora::Utf8SequenceLength(text, at);
        const auto lead = static_cast<unsigned char>(text[at]);
        std::uint32_t code = length == 1 ? lead : length == 2 ? lead & 0x1F : length == 3 ? lead & 0x0F : lead & 0x07;
        for (std::size_t i = 1; i < length; ++i) code = (code << 6) | (static_cast<unsigned char>(text[at + i]) & 0x3F);
        if (code >= 0x10000) {
            code -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (code >> 10));
            out += static_cast<char16_t>(0xDC00 + (code & 0x3FF));
        } else {
            out += static_cast<char16_t>(code);
        }
        at += length;
    }
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    for (const bool cut : {false, true}) {
        const std::u16string text = pelmora::DecodeTextForView(bytes, cut);
        PELMORA_FUZZ_CHECK(text.find(u'\r') == std::u16string::npos);
        // (An ESC may start ISO-2022-JP, which is 7-bit and so valid UTF-8 as well.)
        if (!cut && pelmora::IsValidUtf8(bytes) && bytes.rfind("\xEF\xBB\xBF", 0) != 0 &&
            bytes.find('\x1B') == std::string_view::npos) {
            std::string expectedBytes;
            for (std::size_t at = 0; at < bytes.size(); ++at) {
                if (bytes[at] == '\r') {
                    expectedBytes += '\n';
                    if (at + 1 < bytes.size() && bytes[at + 1] == '\n') ++at;
                } else {
                    expectedBytes += bytes[at];
                }
            }
            PELMORA_FUZZ_CHECK(text == Utf16Of(expectedBytes));
        }
    }
    const pelmora::TextEncoding encoding = pelmora::DetectTextEncoding(bytes);
    PELMORA_FUZZ_CHECK(!encoding.name.empty() && encoding.markLength <= 3 && encoding.markLength <= size);
    return 0;
}
