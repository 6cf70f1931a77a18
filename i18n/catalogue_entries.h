#pragma once
// The entries of the generated catalogue (catalogue_entries.cpp in the build folder, written
// by ts_to_cpp.py from translations/*.ts): the finished translations of each language.

#include <span>

namespace pelmora {

struct CatalogueEntry {
    const char* context;
    const char* source;
    const char* translation;
};

// From pelmora_en.ts: the Japanese texts in English.
std::span<const CatalogueEntry> EnglishCatalogueEntries();
// From pelmora_ja.ts: pelmora-list's English texts in Japanese.
std::span<const CatalogueEntry> JapaneseCatalogueEntries();

}  // namespace pelmora
