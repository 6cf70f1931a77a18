#include "i18n/translation.h"

#include <atomic>
#include <vector>

namespace pelmora {

namespace {

std::atomic<TranslateFunction> installedTranslate{nullptr};

}  // namespace

void InstallTranslateFunction(TranslateFunction translate) { installedTranslate.store(translate); }

std::string Translated(UiText text) {
    const TranslateFunction translate = installedTranslate.load();
    if (translate == nullptr) return text.source;
    return translate(text.context, text.source);
}

std::string Translated(UiText pattern, std::initializer_list<std::string_view> arguments) {
    return FillIn(Translated(pattern), arguments);
}

std::string FillIn(std::string_view pattern, std::initializer_list<std::string_view> arguments) {
    const std::vector<std::string_view> values(arguments);
    std::string result;
    result.reserve(pattern.size());
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '%' && i + 1 < pattern.size() && pattern[i + 1] >= '1' && pattern[i + 1] <= '9') {
            const std::size_t index = static_cast<std::size_t>(pattern[i + 1] - '1');
            if (index < values.size()) {
                result += values[index];
                ++i;
                continue;
            }
        }
        result += pattern[i];
    }
    return result;
}

}  // namespace pelmora
