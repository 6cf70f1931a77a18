// The UTF-8 check against a plain decoder written from the definition: shortest forms only,
// no surrogates, nothing above U+10FFFF.

#include "listing/text/utf8_text.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

std::size_t ReferenceLength(std::string_view text, std::size_t at) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    std::size_t length = 0;
    std::uint32_t code = 0;
    if (lead < 0x80) return 1;
    if (lead >= 0xC0 && lead < 0xE0) {
        length = 2;
        code = lead & 0x1F;
    } else if (lead >= 0xE0 && lead < 0xF0) {
        length = 3;
        code = lead & 0x0F;
    } else if (lead >= 0xF0 && lead < 0xF8) {
        length = 4;
        code = lead & 0x07;
    } else {
        return 0;
    }
    if (at + length > text.size()) return 0;
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80) return 0;
        code = (code << 6) | (byte(at + i) & 0x3F);
    }
    const std::uint32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < smallest[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
    return length;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    bool valid = true;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = pelmora::Utf8SequenceLength(text, at);
        PELMORA_FUZZ_CHECK(length == ReferenceLength(text, at));
        if (length == 0) {
            valid = false;
            ++at;
        } else {
            at += length;
        }
    }
    PELMORA_FUZZ_CHECK(pelmora::IsValidUtf8(text) == valid);
    return 0;
}
