#pragma once
// Whether a window of the given objectName ("Form5", "Form6", ...) is open now.

#include <QString>

namespace pelmora {

bool IsFormLoaded(const QString& formName);

}  // namespace pelmora
