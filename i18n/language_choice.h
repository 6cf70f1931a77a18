#pragma once
// The language of the program's texts, chosen from the environment the Unix way.

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace pelmora {

enum class UiLanguage { Japanese, English };

// Gives the value of an environment variable, or nothing when it is not set.
using EnvironmentReader = std::function<std::optional<std::string>(std::string_view name)>;

// LANGUAGE, LC_ALL, LC_MESSAGES, LANG in that order: the first one set and non-empty decides.
// Japanese when it names ja (ja, ja_JP, ja_JP.UTF-8; of LANGUAGE's list the first entry),
// English otherwise, also when none is set.
UiLanguage ChooseUiLanguage(const EnvironmentReader& environment);

// The choice for this process's environment.
UiLanguage UiLanguageOfThisProcess();

}  // namespace pelmora
