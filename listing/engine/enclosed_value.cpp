#include "listing/engine/enclosed_value.h"

namespace pelmora {

// Names seldom hold a quote, so the runs between quotes are appended whole.
void AppendQuotesDoubled(std::string_view value, bool doubleQuotes, std::string& out) {
    if (!doubleQuotes) {
        out.append(value);
        return;
    }
    for (;;) {
        const auto quote = value.find('"');
        if (quote == std::string_view::npos) break;
        out.append(value.substr(0, quote + 1));
        out.push_back('"');
        value.remove_prefix(quote + 1);
    }
    out.append(value);
}

void AppendEnclosedValue(std::string_view value, std::string_view enclosure, std::string& out) {
    out.append(enclosure);
    AppendQuotesDoubled(value, enclosure == "\"", out);
    out.append(enclosure);
}

}  // namespace pelmora
