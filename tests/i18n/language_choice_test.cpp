#include "i18n/language_choice.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace pelmora {
namespace {

UiLanguage ChooseFrom(const std::map<std::string, std::string>& variables) {
    return ChooseUiLanguage([&variables](std::string_view name) -> std::optional<std::string> {
        const auto found = variables.find(std::string(name));
        if (found == variables.end()) return std::nullopt;
        return found->second;
    });
}

TEST(LanguageChoice, JapaneseWhenTheDecidingVariableNamesJa) {
    for (const char* value : {"ja", "ja_JP", "ja_JP.UTF-8", "ja_JP.eucJP", "ja:en", "ja_JP@latin"}) {
        EXPECT_EQ(ChooseFrom({{"LANG", value}}), UiLanguage::Japanese) << value;
    }
    for (const char* value : {"C", "C.UTF-8", "POSIX", "en_US.UTF-8", "jam", "en:ja", "de_DE"}) {
        EXPECT_EQ(ChooseFrom({{"LANG", value}}), UiLanguage::English) << value;
    }
}

TEST(LanguageChoice, TheFirstSetVariableDecidesInTheUnixOrder) {
    EXPECT_EQ(ChooseFrom({{"LANGUAGE", "en"}, {"LC_ALL", "ja_JP.UTF-8"}}), UiLanguage::English);
    EXPECT_EQ(ChooseFrom({{"LANGUAGE", "ja:en"}, {"LANG", "C.UTF-8"}}), UiLanguage::Japanese);
    EXPECT_EQ(ChooseFrom({{"LC_ALL", "C"}, {"LC_MESSAGES", "ja_JP.UTF-8"}}), UiLanguage::English);
    EXPECT_EQ(ChooseFrom({{"LC_MESSAGES", "ja_JP.UTF-8"}, {"LANG", "C.UTF-8"}}), UiLanguage::Japanese);
    EXPECT_EQ(ChooseFrom({{"LC_MESSAGES", "C.UTF-8"}, {"LANG", "ja_JP.UTF-8"}}), UiLanguage::English);
}

TEST(LanguageChoice, EmptyVariablesAreSkippedAndNothingSetMeansEnglish) {
    EXPECT_EQ(ChooseFrom({{"LANGUAGE", ""}, {"LC_ALL", ""}, {"LANG", "ja_JP.UTF-8"}}), UiLanguage::Japanese);
    EXPECT_EQ(ChooseFrom({}), UiLanguage::English);
    EXPECT_EQ(ChooseFrom({{"LANG", ""}}), UiLanguage::English);
}

}  // namespace
}  // namespace pelmora
