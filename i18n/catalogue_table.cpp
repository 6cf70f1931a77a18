#include "i18n/catalogue_table.h"

#include <atomic>
#include <map>
#include <string>
#include <utility>

#include "i18n/catalogue_entries.h"
#include "i18n/translation.h"

namespace pelmora {

namespace {

using Key = std::pair<std::string_view, std::string_view>;
using Table = std::map<Key, const char*>;

Table MakeTable(std::span<const CatalogueEntry> entries) {
    Table table;
    for (const CatalogueEntry& entry : entries) table.emplace(Key{entry.context, entry.source}, entry.translation);
    return table;
}

std::atomic<UiLanguage> installedLanguage{UiLanguage::Japanese};

std::string TranslateFromTable(const char* context, const char* source) {
    const char* translation = CatalogueTranslation(installedLanguage.load(), context, source);
    return translation != nullptr ? translation : source;
}

}  // namespace

const char* CatalogueTranslation(UiLanguage language, const char* context, const char* source) {
    static const Table english = MakeTable(EnglishCatalogueEntries());
    static const Table japanese = MakeTable(JapaneseCatalogueEntries());
    const Table& table = language == UiLanguage::English ? english : japanese;
    const auto found = table.find(Key{context, source});
    return found == table.end() ? nullptr : found->second;
}

void InstallCatalogueTranslation() {
    installedLanguage.store(UiLanguageOfThisProcess());
    InstallTranslateFunction(&TranslateFromTable);
}

}  // namespace pelmora
