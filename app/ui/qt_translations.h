#pragma once
// The program's texts and Qt's own (the standard buttons of a question, the file dialog) in
// the user's language.

#include <QString>

#include "i18n/language_choice.h"

class QCoreApplication;

namespace pelmora {

// Loads Qt's Japanese translations into app. False when they are not installed; Qt's texts
// then stay English.
bool InstallQtJapaneseTranslations(QCoreApplication& app);

// The folder of the program's .qm files: translations/ beside the program, or the installed
// share/pelmora/translations; empty when neither holds them.
QString ProgramTranslationsFolder();

// Loads the program's catalogue for language (and, for Japanese, Qt's own translations) and
// makes the core translate through Qt's translators. False when the catalogue is missing;
// the texts then stay in their source language.
bool InstallTranslations(QCoreApplication& app, UiLanguage language);

}  // namespace pelmora
