#pragma once
// The settings reference: what each key of Pelmora.ini does, in one line per key, and the
// reference page made from it together with the key table, so the page cannot drift from
// what the program reads.

#include <string>
#include <string_view>

namespace pelmora {

// One line on what the key controls; empty for a key the reference does not describe.
std::string KeyPurpose(std::string_view key);

// The whole reference as Markdown: for every key of the table its section, kind, the value
// the default file holds, the value it takes when the file lacks it, who writes it and
// what it does.
std::string SettingsReferenceText();

}  // namespace pelmora
