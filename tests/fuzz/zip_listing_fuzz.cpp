// Any bytes as a ZIP archive: no crash and no undefined behaviour; a listing starts with its
// "Archive:" line, ends every line with CR LF, and where it has column heads it ends with
// the totals.

#include <string>

#include "listing/archive/archive_listing.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/fuzz/listing_lines.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::string text = pelmora::ArchiveListingOfBytes("fuzz.zip", bytes, 0);
    if (text.empty()) return 0;
    PELMORA_FUZZ_CHECK(pelmora::fuzz::EveryLineEndsCrLf(text));
    PELMORA_FUZZ_CHECK(text.starts_with("Archive:  fuzz.zip\r\n"));
    const std::string heads =
        "\r\n Length   Method    Size  Cmpr    Date    Time   CRC-32   Name\r\n"
        "--------  ------  ------- ---- ---------- ----- --------  ----\r\n";
    if (text.find(heads) != std::string::npos) {
        const std::string_view last = pelmora::fuzz::LastLine(text);
        PELMORA_FUZZ_CHECK(last.ends_with(" file\r\n") || last.ends_with(" files\r\n"));
        PELMORA_FUZZ_CHECK(pelmora::fuzz::LastLine(text.substr(0, text.size() - last.size())) ==
                           "--------          -------  ---                            -------\r\n");
    }
    return 0;
}
