#include "i18n/language_choice.h"

#include <array>
#include <cstdlib>

namespace pelmora {

namespace {

bool NamesJapanese(std::string_view value) {
    // LANGUAGE holds a list; its first entry is the preferred language.
    value = value.substr(0, value.find(':'));
    const std::string_view language = value.substr(0, value.find_first_of("_.@"));
    return language == "ja";
}

}  // namespace

UiLanguage ChooseUiLanguage(const EnvironmentReader& environment) {
    static constexpr std::array<std::string_view, 4> kVariables = {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"};
    for (const std::string_view name : kVariables) {
        const std::optional<std::string> value = environment(name);
        if (!value || value->empty()) continue;
        return NamesJapanese(*value) ? UiLanguage::Japanese : UiLanguage::English;
    }
    return UiLanguage::English;
}

UiLanguage UiLanguageOfThisProcess() {
    return ChooseUiLanguage([](std::string_view name) -> std::optional<std::string> {
        const char* value = std::getenv(std::string(name).c_str());
        if (value == nullptr) return std::nullopt;
        return std::string(value);
    });
}

}  // namespace pelmora
