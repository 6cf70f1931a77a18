// Any bytes as an LZH archive: no crash and no undefined behaviour; a listing is the column
// heads between rules, the members, a rule and the totals row, every line ending CR LF.

#include <string>

#include "listing/archive/archive_listing.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/fuzz/listing_lines.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::string text = pelmora::ArchiveListingOfBytes("fuzz.lzh", bytes, 1500000000);
    if (text.empty()) return 0;
    PELMORA_FUZZ_CHECK(pelmora::fuzz::EveryLineEndsCrLf(text));
    const std::string rule = "---------- ----------- ------- ------- ------ ---------- ------------ -------------\r\n";
    PELMORA_FUZZ_CHECK(text.starts_with("PERMSSN    UID  GID    PACKED    SIZE  RATIO METHOD CRC     STAMP          NAME\r\n" +
                                        rule));
    const std::string_view last = pelmora::fuzz::LastLine(text);
    PELMORA_FUZZ_CHECK(last.starts_with(" Total "));
    PELMORA_FUZZ_CHECK(pelmora::fuzz::LastLine(text.substr(0, text.size() - last.size())) == rule);
    return 0;
}
