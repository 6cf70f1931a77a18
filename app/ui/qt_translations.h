#pragma once
// Qt's own texts (the standard buttons of a question, the file dialog) in Japanese, the
// language of the program's own captions.

class QCoreApplication;

namespace pelmora {

// Loads Qt's Japanese translations into app. False when they are not installed; Qt's texts
// then stay English.
bool InstallQtJapaneseTranslations(QCoreApplication& app);

}  // namespace pelmora
