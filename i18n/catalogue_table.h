#pragma once
// The catalogue for the programs without Qt (pelmora-list, pelmora-tree): a table generated
// at build time from the same .ts files whose .qm files the window loads.

#include "i18n/language_choice.h"

namespace pelmora {

// The translation into language of source filed under context, or nullptr when the table has
// none (the source is then shown as it is).
const char* CatalogueTranslation(UiLanguage language, const char* context, const char* source);

// Installs the table as the core's translate function, for the language the environment
// chooses.
void InstallCatalogueTranslation();

}  // namespace pelmora
