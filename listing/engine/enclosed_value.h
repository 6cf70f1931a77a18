#pragma once
// A value as a listing shows it: between its enclosing texts, every double quote inside
// doubled when the enclosing text is one double quote, so a CSV field stays whole.

#include <string>
#include <string_view>

namespace pelmora {

// The value alone, its double quotes doubled when doubleQuotes is set.
void AppendQuotesDoubled(std::string_view value, bool doubleQuotes, std::string& out);

// The enclosing text, the value (quotes doubled when the enclosing text is "\""), the
// enclosing text again.
void AppendEnclosedValue(std::string_view value, std::string_view enclosure, std::string& out);

}  // namespace pelmora
