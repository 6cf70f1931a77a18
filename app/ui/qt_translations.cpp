#include "app/ui/qt_translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QTranslator>

#include "i18n/translation.h"
#include "platform/system_messages.h"

namespace pelmora {

namespace {

std::string TranslateWithQt(const char* context, const char* source) {
    return QCoreApplication::translate(context, source).toStdString();
}

bool LoadTranslator(QCoreApplication& app, const QString& name, const QString& folder) {
    auto* translator = new QTranslator(&app);
    if (folder.isEmpty() || !translator->load(name, folder)) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

}  // namespace

bool InstallQtJapaneseTranslations(QCoreApplication& app) {
    return LoadTranslator(app, QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}

QString ProgramTranslationsFolder() {
    const QDir programFolder(QCoreApplication::applicationDirPath());
    for (const QString& relative : {QStringLiteral("translations"), QStringLiteral("../share/pelmora/translations")}) {
        const QString folder = programFolder.filePath(relative);
        if (QFileInfo::exists(QDir(folder).filePath(QStringLiteral("pelmora_en.qm")))) return QDir::cleanPath(folder);
    }
    return {};
}

bool InstallTranslations(QCoreApplication& app, UiLanguage language) {
    const QString folder = ProgramTranslationsFolder();
    bool loaded = false;
    if (language == UiLanguage::Japanese) {
        InstallQtJapaneseTranslations(app);
        loaded = LoadTranslator(app, QStringLiteral("pelmora_ja"), folder);
    } else {
        loaded = LoadTranslator(app, QStringLiteral("pelmora_en"), folder);
    }
    InstallTranslateFunction(&TranslateWithQt);
    // After the application object, which set every locale category from the environment.
    platform::UseLanguageForSystemMessages(language);
    return loaded;
}

}  // namespace pelmora
