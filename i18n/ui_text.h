#pragma once
// A text the user sees: the source text (Japanese for the program's own texts, English for
// pelmora-list's) and the catalogue context it is filed under. Texts are declared with
// PELMORA_UI_TEXT so that lupdate finds them (it runs with
// -tr-function-alias QT_TRANSLATE_NOOP+=PELMORA_UI_TEXT); they are shown through
// Translated() or, in window code, QTranslated().

namespace pelmora {

struct UiText {
    const char* context;
    const char* source;
};

}  // namespace pelmora

#define PELMORA_UI_TEXT(context, source) ::pelmora::UiText{context, source}

// Marks a text kept as plain data (a row of a table) for lupdate; the code that shows it
// translates it under the same context. The same definition as Qt's, for code without Qt.
#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(scope, x) x
#endif
