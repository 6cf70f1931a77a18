#pragma once
// A text of the program in window code: through Qt's translators, which the program loads
// for the user's language at start (app/ui/qt_translations).

#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include "i18n/ui_text.h"

namespace pelmora {

inline QString QTranslated(UiText text) { return QCoreApplication::translate(text.context, text.source); }

// The translated pattern with %1, %2, ... filled in (QString::arg, so the arguments are
// never read as markers).
template <typename... Arguments>
QString QTranslated(UiText pattern, const Arguments&... arguments) {
    return QTranslated(pattern).arg(arguments...);
}

}  // namespace pelmora
