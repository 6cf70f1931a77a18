#include "listing/text/collation_keys.h"

namespace pelmora {

void OrderKeyMaker::AppendKey(std::string_view text, std::string& out) {
    if (!platform::TextCollationAvailable()) {
        out.append(text);
        return;
    }
    // A collation key holds no NUL; none is added after it: a key that is a prefix of
    // another sorts first, as the NUL would have put it.
    collation_.AppendKey(text, out);
}

// Key layout: the collation key, one NUL, then the text's own bytes. A collation key holds
// no NUL, so two keys first differ where the collation differs and only texts that collate
// equal reach the byte tie-break.
void TextSortKeyMaker::AppendKey(std::string_view text, std::string& out) {
    collation_.AppendKey(text, out);
    out.push_back('\0');
    out.append(text);
}

std::string TextSortKeyMaker::Key(std::string_view text) {
    std::string key;
    AppendKey(text, key);
    return key;
}

}  // namespace pelmora
