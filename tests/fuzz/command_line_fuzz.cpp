// The dropped-items command line split into items: no item keeps a quote, the items hold
// every other byte of the line, and joining them as the program joins its arguments gives a
// line that splits into the same items again.

#include <string>
#include <vector>

#include "listing/engine/dropped_items.h"
#include "tests/fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view line(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> items = pelmora::TokenizeCommandLine(line);
    std::size_t bytes = 0;
    for (const std::string& item : items) {
        PELMORA_FUZZ_CHECK(item.find('"') == std::string::npos);
        bytes += item.size();
    }
    std::size_t quotesAndSeparators = 0;
    for (char c : line) quotesAndSeparators += c == '"' || c == ' ';
    PELMORA_FUZZ_CHECK(bytes + quotesAndSeparators >= line.size());
    PELMORA_FUZZ_CHECK(pelmora::TokenizeCommandLine(pelmora::JoinCommandLine(items)) == items);
    return 0;
}
