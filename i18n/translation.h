#pragma once
// The catalogue as the core reaches it: the program that runs the core supplies the function
// that translates (the window: Qt's translators; pelmora-list and pelmora-tree: the table
// built from the same .ts files), once at start, before any thread reads a text. Without one
// every text is its source text.

#include <initializer_list>
#include <string>
#include <string_view>

#include "i18n/ui_text.h"

namespace pelmora {

// Gives the translation of source filed under context, the source itself when there is
// none. Called from any thread.
using TranslateFunction = std::string (*)(const char* context, const char* source);

void InstallTranslateFunction(TranslateFunction translate);

// The text in the user's language.
std::string Translated(UiText text);

// The text in the user's language with %1, %2, ... replaced by the arguments in order: the
// pattern is translated, never the filled-in text.
std::string Translated(UiText pattern, std::initializer_list<std::string_view> arguments);

// Replaces %1 .. %9 in pattern by arguments (a missing argument leaves its marker).
std::string FillIn(std::string_view pattern, std::initializer_list<std::string_view> arguments);

}  // namespace pelmora
