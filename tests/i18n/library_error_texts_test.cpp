// Avahi's failure texts reach the user through the catalogue: every text the installed
// library can give has its Japanese translation, so a browse failure never shows English
// under a Japanese locale.

#include <avahi-common/error.h>

#include <gtest/gtest.h>

#include <string>

#include "i18n/catalogue_table.h"
#include "i18n/library_error_texts.h"

namespace pelmora {
namespace {

TEST(LibraryErrorTexts, EveryAvahiTextHasAJapaneseTranslation) {
    std::string untranslated;
    // 0 is "OK", never shown as a failure.
    for (int code = -1; code >= AVAHI_ERR_MAX; --code) {
        const char* english = avahi_strerror(code);
        if (CatalogueTranslation(UiLanguage::Japanese, "LibraryErrors", english) == nullptr) {
            untranslated += std::string(english) + "\n";
        }
    }
    EXPECT_EQ(untranslated, "");
}

TEST(LibraryErrorTexts, AreShownInTheInstalledLanguageAndUnknownOnesAsGiven) {
    InstallCatalogueTranslation();  // the tests run under a Japanese locale
    EXPECT_EQ(LibraryErrorText(avahi_strerror(AVAHI_ERR_DNS_NXDOMAIN)), "DNS の失敗: NXDOMAIN");
    EXPECT_EQ(LibraryErrorText(avahi_strerror(AVAHI_ERR_NO_DAEMON)), "デーモンが動作していません");
    EXPECT_EQ(LibraryErrorText("Some text no library gives"), "Some text no library gives");
}

}  // namespace
}  // namespace pelmora
